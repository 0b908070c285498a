#include "app/RowTable.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string>
#include <utility>

#include "grid/base/Errors.h"

namespace tolvane {

namespace {

// The same value in every respect a reader can tell: its type, whether it is null, what it holds.
bool Identical(const QVariant& a, const QVariant& b) {
    if (a.typeId() != b.typeId() || a.isNull() != b.isNull()) return false;
    if (a.typeId() == QMetaType::Double && !a.isNull()) {
        // Bit for bit: -0.0 is not 0.0 here, and a NaN is itself.
        const double x = a.toDouble(), y = b.toDouble();
        return std::memcmp(&x, &y, sizeof x) == 0;
    }
    if (a.typeId() == QMetaType::QString)
        return *static_cast<const QString*>(a.constData()) == *static_cast<const QString*>(b.constData());
    return a.isNull() || a == b;
}

} // namespace

QVariant TRowTable::TColumn::Value(std::size_t row) const {
    switch (form_) {
    case TForm::fNumbers:
        return QVariant(numbers_[row]);
    case TForm::fCodes:
        return distinct_[codes_[row]];
    case TForm::fTexts:
        return QVariant(texts_[row]);
    case TForm::fValues:
        return values_[row];
    default:
        return QVariant();
    }
}

int TRowTable::TColumn::Code(const QVariant& value) {
    const bool text = value.typeId() == QMetaType::QString && !value.isNull();
    if (text) {
        const auto found = codeOfText_.find(*static_cast<const QString*>(value.constData()));
        if (found != codeOfText_.end()) return found->second;
    } else {
        for (std::size_t c = 0; c < distinct_.size(); ++c)
            if (Identical(distinct_[c], value)) return int(c);
    }
    if (distinct_.size() == kMostCodes) return -1;
    distinct_.push_back(value);
    const auto code = static_cast<std::uint8_t>(distinct_.size() - 1);
    if (text) codeOfText_.emplace(*static_cast<const QString*>(value.constData()), code);
    return code;
}

void TRowTable::TColumn::ToValues(std::size_t count) {
    values_.Grow(count);
    for (std::size_t r = 0; r < count; ++r) values_[r] = Value(r);
    numbers_.Clear();
    codes_.Clear();
    texts_.Clear();
    distinct_.clear();
    distinct_.shrink_to_fit();
    codeOfText_.clear();
    form_ = TForm::fValues;
}

void TRowTable::TColumn::FromCodes(std::size_t count) {
    if (!std::all_of(distinct_.begin(), distinct_.end(), IsText)) return ToValues(count);
    texts_.Grow(count);
    for (std::size_t r = 0; r < count; ++r) texts_[r] = *static_cast<const QString*>(distinct_[codes_[r]].constData());
    codes_.Clear();
    distinct_.clear();
    distinct_.shrink_to_fit();
    codeOfText_.clear();
    form_ = TForm::fTexts;
}

void TRowTable::TColumn::Set(std::size_t row, std::size_t count, const QVariant& value) {
    if (form_ == TForm::fNone) form_ = IsNumber(value) ? TForm::fNumbers : TForm::fCodes;
    if (form_ == TForm::fNumbers) {
        if (IsNumber(value)) {
            numbers_.Grow(count);
            numbers_[row] = value.toLongLong();
            return;
        }
        ToValues(count - (row + 1 == count ? 1 : 0));
    } else if (form_ == TForm::fCodes) {
        const int code = Code(value);
        if (code >= 0) {
            codes_.Grow(count);
            codes_[row] = static_cast<std::uint8_t>(code);
            return;
        }
        FromCodes(count - (row + 1 == count ? 1 : 0));
    }
    if (form_ == TForm::fTexts) {
        if (IsText(value)) {
            texts_.Grow(count);
            texts_[row] = *static_cast<const QString*>(value.constData());
            return;
        }
        ToValues(count - (row + 1 == count ? 1 : 0));
    }
    values_.Grow(count);
    values_[row] = value;
}

QVariant TRowTable::Value(std::size_t row, std::size_t column) const {
    CheckListIndex(static_cast<long long>(row), static_cast<long long>(count_), "Row");
    CheckListIndex(static_cast<long long>(column), static_cast<long long>(columns_.size()), "Column");
    return columns_[column].Value(row);
}

void TRowTable::SetValue(std::size_t row, std::size_t column, const QVariant& value) {
    CheckListIndex(static_cast<long long>(row), static_cast<long long>(count_), "Row");
    CheckListIndex(static_cast<long long>(column), static_cast<long long>(columns_.size()), "Column");
    columns_[column].Set(row, count_, value);
}

TRowTable::TRow TRowTable::Row(std::size_t row) const {
    TRow values;
    values.reserve(columns_.size());
    for (std::size_t c = 0; c < columns_.size(); ++c) values.push_back(Value(row, c));
    return values;
}

void TRowTable::Fill(std::size_t row, const TRow& values) {
    if (values.size() > columns_.size())
        throw EListError("Row width out of bounds (" + std::to_string(values.size()) + " of " +
                         std::to_string(columns_.size()) + ")");
    for (std::size_t c = 0; c < columns_.size(); ++c)
        columns_[c].Set(row, std::max(count_, row + 1), c < values.size() ? values[c] : QVariant());
}

void TRowTable::push_back(const TRow& row) {
    if (count_ == 0 && columns_.empty()) columns_.resize(row.size());
    Fill(count_, row);
    ++count_;
}

void TRowTable::Insert(std::size_t at, TRow row) {
    CheckListIndex(static_cast<long long>(at), static_cast<long long>(count_) + 1, "Row");
    if (row.size() > columns_.size() && count_ > 0)
        throw EListError("Row width out of bounds (" + std::to_string(row.size()) + ")");
    if (count_ == at) {
        push_back(std::move(row));
        return;
    }
    push_back(TRow{});
    for (std::size_t r = count_ - 1; r > at; --r)
        for (std::size_t c = 0; c < columns_.size(); ++c) columns_[c].Set(r, count_, columns_[c].Value(r - 1));
    Fill(at, row);
}

void TRowTable::Assign(std::size_t row, TRow values) {
    CheckListIndex(static_cast<long long>(row), static_cast<long long>(count_), "Row");
    Fill(row, values);
}

void TRowTable::StableSort(const std::function<bool(TConstRowView, TConstRowView)>& less) {
    std::vector<std::size_t> order(count_);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return less((*this)[a], (*this)[b]); });
    TRowTable sorted;
    sorted.columns_.resize(columns_.size());
    for (const std::size_t r : order) sorted.push_back(Row(r));
    *this = std::move(sorted);
}

} // namespace tolvane
