#include "app/FoldedColumn.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "app/TextFold.h"

namespace tolvane {

namespace {

// Compares two texts unit by unit over at most `limit` units, an ASCII entry's units lowered as
// it stands for its lower case (a folded text has no capitals to lower).
int CompareUnits(const QString& a, bool lowerA, const QString& b, bool lowerB, qsizetype limit) {
    const qsizetype m = std::min(a.size(), limit), n = std::min(b.size(), limit);
    const char16_t* x = reinterpret_cast<const char16_t*>(a.constData());
    const char16_t* y = reinterpret_cast<const char16_t*>(b.constData());
    for (qsizetype i = 0, k = std::min(m, n); i < k; ++i) {
        const char16_t u = lowerA ? TTextFold::AsciiLower(x[i]) : x[i];
        const char16_t v = lowerB ? TTextFold::AsciiLower(y[i]) : y[i];
        if (u != v) return u < v ? -1 : 1;
    }
    return m < n ? -1 : m > n ? 1 : 0;
}

} // namespace

TFoldedColumn::TEntry TFoldedColumn::Entry(const QVariant& value) {
    if (value.isNull()) return {{}, TKind::fkNull};
    if (value.typeId() == QMetaType::QString) {
        const QString& text = *static_cast<const QString*>(value.constData());
        // Shared, not copied: an ASCII text is compared as it stands, lowered unit by unit.
        if (TTextFold::IsAscii(text)) return {text, TKind::fkAscii};
    }
    return {TTextFold::Folded(value.toString()), TKind::fkFolded};
}

void TFoldedColumn::Assign(const std::vector<const QVariant*>& values) {
    Assign(int(values.size()), [&values](int row) { return *values[std::size_t(row)]; });
}

void TFoldedColumn::Assign(int count, const std::function<QVariant(int)>& valueAt) {
    entries_.clear();
    entries_.reserve(std::size_t(count));
    for (int row = 0; row < count; ++row) entries_.push_back(Entry(valueAt(row)));
    order_.clear();
    ordered_ = false;
}

void TFoldedColumn::Clear() {
    field_ = -1;
    entries_.clear();
    order_.clear();
    ordered_ = false;
}

void TFoldedColumn::Set(int row, const QVariant& value) {
    entries_.at(std::size_t(row)) = Entry(value);
    order_.clear();
    ordered_ = false;
}

bool TFoldedColumn::StartsWith(int row, const QString& foldedPrefix) const {
    const TEntry& entry = entries_.at(std::size_t(row));
    switch (entry.Kind) {
    case TKind::fkNull:
        return false;
    case TKind::fkAscii:
        return TTextFold::AsciiStartsWith(entry.Text, foldedPrefix);
    default:
        return entry.Text.startsWith(foldedPrefix);
    }
}

int TFoldedColumn::Compare(const TEntry& entry, const QString& folded, qsizetype limit) {
    return CompareUnits(entry.Text, entry.Kind == TKind::fkAscii, folded, false, limit);
}

bool TFoldedColumn::Less(const TEntry& a, const TEntry& b) {
    return CompareUnits(a.Text, a.Kind == TKind::fkAscii, b.Text, b.Kind == TKind::fkAscii,
                        std::max(a.Text.size(), b.Text.size())) < 0;
}

std::uint64_t TFoldedColumn::Head(const TEntry& entry) {
    // The first four code units, lowered as the entry compares, packed so that integer order is
    // their order; a shorter text is padded with zeros, and equal heads compare whole.
    std::uint64_t head = 0;
    const char16_t* x = reinterpret_cast<const char16_t*>(entry.Text.constData());
    const bool ascii = entry.Kind == TKind::fkAscii;
    for (qsizetype i = 0; i < 4; ++i) {
        const char16_t u = i < entry.Text.size() ? (ascii ? TTextFold::AsciiLower(x[i]) : x[i]) : 0;
        head = head << 16 | u;
    }
    return head;
}

void TFoldedColumn::Order() {
    std::vector<std::pair<std::uint64_t, int>> keyed;
    keyed.reserve(entries_.size());
    for (int r = 0; r < int(entries_.size()); ++r)
        if (entries_[std::size_t(r)].Kind != TKind::fkNull)
            keyed.emplace_back(Head(entries_[std::size_t(r)]), r);
    std::sort(keyed.begin(), keyed.end(), [this](const auto& a, const auto& b) {
        if (a.first != b.first) return a.first < b.first;
        return Less(entries_[std::size_t(a.second)], entries_[std::size_t(b.second)]);
    });
    order_.clear();
    order_.reserve(keyed.size());
    for (const auto& k : keyed) order_.push_back(k.second);
    ordered_ = true;
}

std::vector<int> TFoldedColumn::RowsWithPrefix(const QString& foldedPrefix) {
    if (!ordered_) Order();
    // Texts that begin with the prefix compare equal to it over its length, and sort together.
    const qsizetype length = foldedPrefix.size();
    const auto first = std::lower_bound(order_.begin(), order_.end(), 0, [&](int row, int) {
        return Compare(entries_[std::size_t(row)], foldedPrefix, length) < 0;
    });
    const auto last = std::upper_bound(first, order_.end(), 0, [&](int, int row) {
        return Compare(entries_[std::size_t(row)], foldedPrefix, length) > 0;
    });
    std::vector<int> rows(first, last);
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace tolvane
