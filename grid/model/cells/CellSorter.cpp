#include "grid/model/cells/CellSorter.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <numeric>
#include <string>
#include <utility>

#include "grid/base/Errors.h"
#include "grid/model/cells/Cells.h"
#include "grid/model/cells/KeyRadixSort.h"

namespace tolvane {

// A text with its first eight UTF-16 code units packed into two numbers, so that most
// comparisons are two integer comparisons. Missing units pack as 0; texts whose packed units
// tie are compared whole, so a unit 0 cannot be mistaken for the end of a text.
struct TTextKey {
    std::uint64_t Head = 0;
    std::uint64_t Next = 0;
    QStringView Text;
};

namespace {

using TIPKey = std::array<int, 4>;

std::uint64_t PackUnits(QStringView text, qsizetype from) {
    std::uint64_t packed = 0;
    for (qsizetype k = from; k < from + 4; ++k)
        packed = (packed << 16) | (k < text.size() ? std::uint64_t(text[k].unicode()) : 0u);
    return packed;
}

TTextKey MakeTextKey(QStringView text) {
    return {PackUnits(text, 0), PackUnits(text, 4), text};
}

// By UTF-16 code unit values; a prefix comes first. Qt's case-sensitive comparison is exactly that.
int CompareUnits(const TTextKey& a, const TTextKey& b) {
    if (a.Head != b.Head) return a.Head < b.Head ? -1 : 1;
    if (a.Next != b.Next) return a.Next < b.Next ? -1 : 1;
    const int c = a.Text.compare(b.Text, Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
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

std::uint8_t ReadBoolean(const TCell& cell) {
    return cell.AsBoolean() ? 1 : 0;
}
std::string ReadLowerNarrow(const TCell& cell) {
    return LowerNarrow(cell.Text());
}
double ReadFloat(const TCell& cell) {
    return cell.AsFloat();
}
// An empty date comes before every date.
double ReadDateTime(const TCell& cell) {
    return cell.IsEmpty() ? -std::numeric_limits<double>::infinity() : cell.AsDateTime();
}
TIPKey ReadIP(const TCell& cell) {
    return IPKey(cell.Text());
}

// A double as an integer of the numbers' order, total so that the scans of the partition always
// stop inside the range: -0 as 0, every NaN after every number and equal to the others. ~key
// reverses that order.
std::uint64_t OrderedBits(double value) {
    if (value == 0) value = 0; // -0
    if (value != value) return ~std::uint64_t(0);
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    constexpr std::uint64_t Sign = std::uint64_t(1) << 63;
    return bits & Sign ? ~bits : bits | Sign;
}

// xorshift64*: any uniform choice of pivot will do.
std::uint64_t NextRandom(std::uint64_t& state) {
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return state * 0x2545F4914F6CDD1Dull;
}

} // namespace

template <typename Key, typename Read>
std::vector<Key> TCellSorter::ReadKeys(int col, Read read) {
    std::vector<Key> keys;
    keys.reserve(std::size_t(cells_.RowCount()));
    for (int r = 0; r < cells_.RowCount(); ++r) keys.push_back(read(*cells_.GetCell(col, r)));
    return keys;
}

std::vector<TTextKey> TCellSorter::ReadTextKeys(int col, std::vector<QString>& made) {
    const int rows = cells_.RowCount();
    std::vector<TTextKey> keys(static_cast<std::size_t>(rows));
    // Texts made on each read are kept here while the sort runs; the others are read in place.
    std::vector<int> madeRows;
    for (int r = 0; r < rows; ++r) {
        const TCell& cell = *cells_.GetCell(col, r);
        if (const QString* held = cell.TextHeld()) {
            keys[std::size_t(r)] = MakeTextKey(*held);
        } else {
            made.push_back(cell.Text());
            madeRows.push_back(r);
        }
    }
    // Views into `made` are taken once it no longer grows.
    for (std::size_t k = 0; k < madeRows.size(); ++k) keys[std::size_t(madeRows[k])] = MakeTextKey(made[k]);
    return keys;
}

template <typename Key, typename Compare>
void TCellSorter::Run(std::vector<Key>& keys, Compare compare, bool reversed) {
    if (reversed)
        RunIn<true>(keys, compare);
    else
        RunIn<false>(keys, compare);
}

template <bool Reversed, typename Key, typename Compare>
void TCellSorter::RunIn(std::vector<Key>& keys, Compare compare) {
    const int count = int(keys.size());
    // Each key travels with its row number: one exchange moves both in one place.
    struct TEntry {
        Key key;
        int row;
    };
    std::vector<TEntry> entries;
    entries.reserve(keys.size());
    for (int r = 0; r < count; ++r) entries.push_back({std::move(keys[std::size_t(r)]), r});
    std::vector<Key>().swap(keys);
    auto exchange = [&](int a, int b) { std::swap(entries[std::size_t(a)], entries[std::size_t(b)]); };
    // Ascending: the i-scan stops at p <= x and the j-scan at p >= x; reversed swaps the two.
    auto iScan = [&](const Key& p, const Key& x) {
        const int c = compare(p, x);
        return Reversed ? c >= 0 : c <= 0;
    };
    auto jScan = [&](const Key& p, const Key& x) {
        const int c = compare(p, x);
        return Reversed ? c <= 0 : c >= 0;
    };
    auto partition = [&](int lo, int hi) {
        const int pivotRow = lo + 1 + int(NextRandom(cells_.pivotSeed_) % std::uint64_t(hi - lo));
        const Key pivot = entries[std::size_t(pivotRow)].key;
        int i = lo - 1;
        int j = hi + 1;
        do {
            do ++i;
            while (i < hi && !iScan(pivot, entries[std::size_t(i)].key));
            do --j;
            while (j > lo && !jScan(pivot, entries[std::size_t(j)].key));
            if (i != j) exchange(i, j);
        } while (i < j);
        if (i != j) exchange(i, j);
        if (i <= lo || i > hi) throw EGridError(std::string("Sort comparison is not a consistent order"));
        return i;
    };
    // Short ranges are finished by insertion: equal keys may end in another order than the
    // partitions would leave them, which the sort never promised.
    constexpr int SmallRange = 16;
    auto insertionSort = [&](int lo, int hi) {
        for (int k = lo + 1; k <= hi; ++k) {
            TEntry moving = std::move(entries[std::size_t(k)]);
            int at = k;
            for (; at > lo; --at) {
                const int c = compare(moving.key, entries[std::size_t(at - 1)].key);
                if (Reversed ? c <= 0 : c >= 0) break;
                entries[std::size_t(at)] = std::move(entries[std::size_t(at - 1)]);
            }
            entries[std::size_t(at)] = std::move(moving);
        }
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
            if (hi - lo < SmallRange) {
                insertionSort(lo, hi);
                break;
            }
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
    std::vector<int> order(entries.size());
    for (std::size_t r = 0; r < entries.size(); ++r) order[r] = entries[r].row;
    cells_.ApplyRowOrder(order);
}

template <typename Read>
void TCellSorter::RunNumbers(int col, Read read, bool reversed) {
    const int count = cells_.RowCount();
    std::vector<std::uint64_t> keys(static_cast<std::size_t>(count));
    std::vector<int> rows(static_cast<std::size_t>(count));
    const std::uint64_t flip = reversed ? ~std::uint64_t(0) : 0;
    for (int r = 0; r < count; ++r) {
        keys[std::size_t(r)] = OrderedBits(read(*cells_.GetCell(col, r))) ^ flip;
        rows[std::size_t(r)] = r;
    }
    RadixSortByKey(keys, rows);
    cells_.ApplyRowOrder(rows);
}

void TCellSorter::Sort(int col, TSortType sortType, bool descending) {
    if (cells_.RowCount() < 2) return;
    switch (sortType) {
    case stAlphabetic: {
        std::vector<QString> made;
        auto keys = ReadTextKeys(col, made);
        Run(
            keys, [](const TTextKey& a, const TTextKey& b) { return CompareUnits(a, b); }, descending);
        break;
    }
    case stBoolean: {
        auto keys = ReadKeys<std::uint8_t>(col, [](const TCell& cell) { return ReadBoolean(cell); });
        Run(
            keys, [](std::uint8_t a, std::uint8_t b) { return int(a) - int(b); }, descending);
        break;
    }
    case stCaseInsensitive: {
        auto keys = ReadKeys<std::string>(col, [](const TCell& cell) { return ReadLowerNarrow(cell); });
        Run(
            keys, [](auto&& a, auto&& b) { return CompareBytes(a, b); }, descending);
        break;
    }
    case stNumeric:
        RunNumbers(col, [](const TCell& cell) { return ReadFloat(cell); }, descending);
        break;
    case stDate:
        RunNumbers(col, [](const TCell& cell) { return ReadDateTime(cell); }, descending);
        break;
    case stIP: {
        // The address comparisons come paired the other way round: ascending puts the larger first.
        auto keys = ReadKeys<TIPKey>(col, [](const TCell& cell) { return ReadIP(cell); });
        Run(
            keys, [](auto&& a, auto&& b) { return CompareIP(a, b); }, !descending);
        break;
    }
    }
}

} // namespace tolvane
