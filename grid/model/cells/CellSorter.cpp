#include "grid/model/cells/CellSorter.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <string>
#include <utility>

#include "grid/model/cells/Cells.h"
#include "grid/base/Errors.h"

namespace tolvane {

namespace {

using TIPKey = std::array<int, 4>;

// By UTF-16 code unit values; a prefix comes first. Qt's case-sensitive comparison is exactly that.
int CompareUnits(const QString& a, const QString& b) {
    const int c = QString::compare(a, b, Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// A total order on doubles: NaN after every number, equal to itself, so that the scans of
// the partition always stop inside the range.
int CompareFloats(double a, double b) {
    if (a < b) return -1;
    if (a > b) return 1;
    if (a == b) return 0;
    const bool aNan = a != a;
    const bool bNan = b != b;
    return int(aNan) - int(bNan);
}

int CompareBytes(const std::string& a, const std::string& b) {
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// The fourth number weighs most, then the third, the second and the first.
int CompareIP(const TIPKey& a, const TIPKey& b) {
    for (int k = 3; k >= 0; --k)
        if (a[std::size_t(k)] != b[std::size_t(k)]) return a[std::size_t(k)] < b[std::size_t(k)] ? -1 : 1;
    return 0;
}

std::string LowerNarrow(const QString& text) {
    std::string narrow = text.toStdString();
    for (char& c : narrow)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return narrow;
}

// Dotted numbers: a digit extends the pending run, a "." or the last character ends it.
TIPKey IPKey(const QString& wide) {
    const std::string text = wide.toStdString();
    TIPKey key{0, 0, 0, 0};
    std::size_t filled = 0;
    long long run = 0;
    bool hasDigits = false;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (c >= '0' && c <= '9') {
            run = run * 10 + (c - '0');
            if (run > 2147483647LL)
                throw EConvertError("'" + wide + "' holds a number too large for an address key");
            hasDigits = true;
        }
        if (c == '.' || k + 1 == text.size()) {
            if (!hasDigits) throw EConvertError("'" + wide + "' is not a valid address key: empty number");
            // Numbers beyond the fourth are outside the key.
            if (filled < key.size()) key[filled++] = int(run);
            run = 0;
            hasDigits = false;
        }
    }
    return key;
}

QString ReadText(const TCell& cell) {
    return cell.Text();
}
std::uint8_t ReadBoolean(const TCell& cell) {
    return cell.AsBoolean() ? 1 : 0;
}
std::string ReadLowerNarrow(const TCell& cell) {
    return LowerNarrow(cell.Text());
}
double ReadFloat(const TCell& cell) {
    return cell.AsFloat();
}
double ReadDateTime(const TCell& cell) {
    return cell.AsDateTime();
}
TIPKey ReadIP(const TCell& cell) {
    return IPKey(cell.Text());
}

// xorshift64*: any uniform choice of pivot will do.
std::uint64_t NextRandom(std::uint64_t& state) {
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return state * 0x2545F4914F6CDD1Dull;
}

} // namespace

template <typename Key>
std::vector<Key> TCellSorter::ReadKeys(int col, Key (*read)(const TCell&)) {
    std::vector<Key> keys;
    keys.reserve(std::size_t(cells_.RowCount()));
    for (int r = 0; r < cells_.RowCount(); ++r) keys.push_back(read(*cells_.GetCell(col, r)));
    return keys;
}

template <typename Key, typename Compare>
void TCellSorter::Run(std::vector<Key>& keys, Compare compare, bool reversed) {
    const int count = int(keys.size());
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    auto exchange = [&](int a, int b) {
        std::swap(keys[std::size_t(a)], keys[std::size_t(b)]);
        std::swap(order[std::size_t(a)], order[std::size_t(b)]);
    };
    // Ascending: the i-scan stops at p <= x and the j-scan at p >= x; reversed swaps the two.
    auto iScan = [&](const Key& p, const Key& x) {
        const int c = compare(p, x);
        return reversed ? c >= 0 : c <= 0;
    };
    auto jScan = [&](const Key& p, const Key& x) {
        const int c = compare(p, x);
        return reversed ? c <= 0 : c >= 0;
    };
    auto partition = [&](int lo, int hi) {
        const int pivotRow = lo + 1 + int(NextRandom(cells_.pivotSeed_) % std::uint64_t(hi - lo));
        const Key pivot = keys[std::size_t(pivotRow)];
        int i = lo - 1;
        int j = hi + 1;
        do {
            do ++i;
            while (i < hi && !iScan(pivot, keys[std::size_t(i)]));
            do --j;
            while (j > lo && !jScan(pivot, keys[std::size_t(j)]));
            if (i != j) exchange(i, j);
        } while (i < j);
        if (i != j) exchange(i, j);
        if (i <= lo || i > hi) throw EGridError(std::string("Sort comparison is not a consistent order"));
        return i;
    };
    // Recursion on the smaller part keeps the stack shallow; the larger part loops.
    struct TRange {
        int lo, hi;
    };
    std::vector<TRange> pending{{0, count - 1}};
    while (!pending.empty()) {
        auto [lo, hi] = pending.back();
        pending.pop_back();
        while (lo < hi) {
            const int m = partition(lo, hi);
            if (m - 1 - lo < hi - m) {
                pending.push_back({m, hi});
                hi = m - 1;
            } else {
                pending.push_back({lo, m - 1});
                lo = m;
            }
        }
    }
    cells_.ApplyRowOrder(order);
}

void TCellSorter::Sort(int col, TSortType sortType, bool descending) {
    if (cells_.RowCount() < 2) return;
    switch (sortType) {
    case stAlphabetic: {
        auto keys = ReadKeys<QString>(col, ReadText);
        Run(
            keys, [](auto&& a, auto&& b) { return CompareUnits(a, b); }, descending);
        break;
    }
    case stBoolean: {
        auto keys = ReadKeys<std::uint8_t>(col, ReadBoolean);
        Run(
            keys, [](std::uint8_t a, std::uint8_t b) { return int(a) - int(b); }, descending);
        break;
    }
    case stCaseInsensitive: {
        auto keys = ReadKeys<std::string>(col, ReadLowerNarrow);
        Run(
            keys, [](auto&& a, auto&& b) { return CompareBytes(a, b); }, descending);
        break;
    }
    case stNumeric: {
        auto keys = ReadKeys<double>(col, ReadFloat);
        Run(
            keys, [](auto&& a, auto&& b) { return CompareFloats(a, b); }, descending);
        break;
    }
    case stDate: {
        auto keys = ReadKeys<double>(col, ReadDateTime);
        Run(
            keys, [](auto&& a, auto&& b) { return CompareFloats(a, b); }, descending);
        break;
    }
    case stIP: {
        // The address comparisons come paired the other way round: ascending puts the larger first.
        auto keys = ReadKeys<TIPKey>(col, ReadIP);
        Run(
            keys, [](auto&& a, auto&& b) { return CompareIP(a, b); }, !descending);
        break;
    }
    }
}

} // namespace tolvane
