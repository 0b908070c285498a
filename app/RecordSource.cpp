#include "app/RecordSource.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <cmath>
#include <limits>

#include "app/CatalogError.h"
#include "app/CatalogSchema.h"
#include "app/CatalogStore.h"
#include "grid/shared/Errors.h"

namespace tolvane {

namespace {

// The shortest general form with at most 15 significant digits; whole numbers within 64 bits
// print all their digits, since a size total must stay a plain digit string.
std::string FloatText(double v) {
    if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 9.2e18)
        return std::to_string(static_cast<std::int64_t>(v));
    return QString::number(v, 'g', 15).toStdString();
}

bool SameValue(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull()) return a.isNull() == b.isNull();
    return a == b;
}

} // namespace

TRecordSource::TRecordSource(TSourceDef def) : def_(std::move(def)) {}

const TFieldDef& TRecordSource::FieldDef(int field) const {
    CheckField(field);
    return def_.Fields[field];
}

int TRecordSource::FieldIndex(const QString& name) const {
    for (int i = 0; i < FieldCount(); ++i)
        if (def_.Fields[i].Name == name) return i;
    throw ECatalogError("\"" + def_.Table + "\" has no field \"" + name + "\"");
}

void TRecordSource::CheckActive() const {
    if (!Active()) throw ECatalogError("\"" + def_.Table + "\" is not open");
}

void TRecordSource::CheckField(int field) const {
    CheckListIndex(field, FieldCount(), "Field");
}

void TRecordSource::Open(TCatalogStore& store) {
    Close();
    QStringList columns;
    std::vector<int> positions;
    for (int i = 0; i < FieldCount(); ++i) {
        if (!def_.Fields[i].IsStored()) continue;
        columns << TCatalogSchema::Quoted(def_.Fields[i].Name);
        positions.push_back(i);
    }
    std::vector<TRow> rows;
    {
        QSqlQuery q(store.Database());
        q.setForwardOnly(true);
        const QString sql = "SELECT " + columns.join(", ") + " FROM " + TCatalogSchema::Quoted(def_.Table) +
                            " ORDER BY " + TCatalogSchema::Quoted(def_.KeyField);
        if (!q.exec(sql)) throw ECatalogError(store.Failure(q.lastError().text()));
        while (q.next()) {
            TRow row(FieldCount());
            for (std::size_t c = 0; c < positions.size(); ++c)
                row[positions[c]] = q.value(static_cast<int>(c));
            rows.push_back(std::move(row));
        }
    }
    rows_ = std::move(rows);
    store_ = &store;
    foldedField_ = -1;
    folded_.clear();
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r) Calculate(r);
    ApplyView();
}

void TRecordSource::Close() {
    if (!Active()) return;
    pending_.reset();
    pendingRow_ = -1;
    store_ = nullptr;
    rows_.clear();
    view_.clear();
    folded_.clear();
    foldedField_ = -1;
    current_ = -1;
    if (OnViewChanged) OnViewChanged();
    RecordChanged();
}

void TRecordSource::SetRecNo(int recNo) {
    CheckActive();
    CheckListIndex(recNo - 1, RecordCount(), "Record");
    if (recNo - 1 == current_) return;
    Post();
    current_ = recNo - 1;
    RecordChanged();
}

void TRecordSource::First() {
    CheckActive();
    Post();
    current_ = view_.empty() ? -1 : 0;
    RecordChanged();
}

void TRecordSource::SetFilter(const std::string& text) {
    if (!Active() || !filtered_) {
        filter_ = text;
        return;
    }
    if (!text.empty()) TFilterExpression::Parse(text, def_);
    Post();
    filter_ = text;
    ApplyView();
}

void TRecordSource::SetFiltered(bool filtered) {
    if (!Active()) {
        filtered_ = filtered;
        return;
    }
    if (filtered && !filter_.empty()) TFilterExpression::Parse(filter_, def_);
    Post();
    filtered_ = filtered;
    ApplyView();
}

bool TRecordSource::Matches(const TFilterExpression& filter, int row) {
    const QVariant& value = rows_[row][filter.Field()];
    if (filter.Type() == TFilterType::ftPrefix) {
        if (foldedField_ != filter.Field()) {
            folded_.clear();
            folded_.reserve(rows_.size());
            for (const TRow& r : rows_) folded_.push_back(r[filter.Field()].toString().toCaseFolded());
            foldedField_ = filter.Field();
        }
        return folded_[row].startsWith(filter.FoldedValue());
    }
    if (value.isNull()) return false;
    if (def_.Fields[filter.Field()].IsNumeric())
        return filter.HasNumber() && ToInteger(value) == filter.Number();
    return value.toString() == filter.Value();
}

void TRecordSource::ApplyView() {
    view_.clear();
    if (filtered_ && !filter_.empty()) {
        const TFilterExpression filter = TFilterExpression::Parse(filter_, def_);
        for (int r = 0; r < static_cast<int>(rows_.size()); ++r)
            if (Matches(filter, r)) view_.push_back(r);
    } else {
        view_.reserve(rows_.size());
        for (int r = 0; r < static_cast<int>(rows_.size()); ++r) view_.push_back(r);
    }
    current_ = view_.empty() ? -1 : 0;
    if (OnViewChanged) OnViewChanged();
    RecordChanged();
}

void TRecordSource::RecordChanged() {
    if (disabled_ > 0) {
        changedWhileDisabled_ = true;
        return;
    }
    if (OnRecordChanged) OnRecordChanged();
}

void TRecordSource::EnableControls() {
    if (disabled_ > 0 && --disabled_ == 0 && changedWhileDisabled_) {
        changedWhileDisabled_ = false;
        if (OnRecordChanged) OnRecordChanged();
    }
}

const TRecordSource::TRow* TRecordSource::CurrentRow() const {
    if (calcRow_ >= 0) return &rows_[calcRow_];
    if (current_ < 0) return nullptr;
    const int row = view_[current_];
    if (pending_ && row == pendingRow_) return &*pending_;
    return &rows_[row];
}

QVariant TRecordSource::Value(int field) const {
    CheckField(field);
    const TRow* row = CurrentRow();
    return row ? (*row)[field] : QVariant();
}

QVariant TRecordSource::ValueAt(int recNo, int field) const {
    CheckField(field);
    CheckListIndex(recNo - 1, RecordCount(), "Record");
    const int row = view_[recNo - 1];
    if (pending_ && row == pendingRow_) return (*pending_)[field];
    return rows_[row][field];
}

std::int64_t TRecordSource::AsInteger(int field) const {
    return ToInteger(Value(field));
}
std::string TRecordSource::AsText(int field) const {
    return ToText(Value(field));
}
std::string TRecordSource::TextAt(int recNo, int field) const {
    return ToText(ValueAt(recNo, field));
}

std::int64_t TRecordSource::ToInteger(const QVariant& value) {
    if (value.isNull()) return 0;
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        const double v = value.toDouble();
        if (!std::isfinite(v)) return 0;
        if (v >= 9.2e18) return std::numeric_limits<std::int64_t>::max();
        if (v <= -9.2e18) return std::numeric_limits<std::int64_t>::min();
        return std::llround(v);
    }
    return value.toLongLong();
}

std::string TRecordSource::ToText(const QVariant& value) {
    if (value.isNull()) return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return FloatText(value.toDouble());
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return std::to_string(value.toLongLong());
    default:
        return value.toString().toStdString();
    }
}

void TRecordSource::Calculate(int row) {
    if (!OnCalcFields) return;
    calcRow_ = row;
    try {
        OnCalcFields(*this);
    } catch (...) {
        calcRow_ = -1;
        throw;
    }
    calcRow_ = -1;
}

void TRecordSource::SetCalcText(int field, const std::string& text) {
    CheckField(field);
    if (calcRow_ < 0) throw ECatalogError("Calculated fields are set only while a record is calculated");
    if (def_.Fields[field].IsStored())
        throw ECatalogError("\"" + def_.Fields[field].Name + "\" is not a calculated field");
    rows_[calcRow_][field] = QString::fromStdString(text);
}

void TRecordSource::SetValue(int field, const QVariant& value) {
    CheckActive();
    CheckField(field);
    const TFieldDef& f = def_.Fields[field];
    if (current_ < 0) throw ECatalogError("\"" + def_.Table + "\" has no current record");
    if (def_.ReadOnly || f.ReadOnly) throw ECatalogError("Field \"" + f.Name + "\" cannot be modified");
    QVariant stored;
    if (!value.isNull()) {
        switch (f.Kind) {
        case TFieldKind::fkWideText: {
            const QString text = value.toString();
            if (f.Size > 0 && text.size() > f.Size)
                throw ECatalogError(
                    QString("Field \"%1\" holds at most %2 characters").arg(f.Name).arg(f.Size));
            stored = text;
            break;
        }
        case TFieldKind::fkInteger:
        case TFieldKind::fkLargeInt: {
            bool ok = false;
            const qlonglong v = value.toString().trimmed().toLongLong(&ok);
            const bool fits =
                f.Kind == TFieldKind::fkLargeInt || (v >= std::numeric_limits<std::int32_t>::min() &&
                                                     v <= std::numeric_limits<std::int32_t>::max());
            if (!ok || !fits)
                throw ECatalogError("'" + value.toString() + "' is not a valid value for field \"" + f.Name +
                                    "\"");
            stored = v;
            break;
        }
        case TFieldKind::fkFloat: {
            bool ok = false;
            const double v = value.toString().trimmed().toDouble(&ok);
            if (!ok)
                throw ECatalogError("'" + value.toString() + "' is not a valid value for field \"" + f.Name +
                                    "\"");
            stored = v;
            break;
        }
        default:
            throw ECatalogError("Field \"" + f.Name + "\" cannot be modified");
        }
    }
    if (!pending_) {
        pendingRow_ = view_[current_];
        pending_ = rows_[pendingRow_];
    }
    (*pending_)[field] = stored;
}

void TRecordSource::Post() {
    if (!pending_) return;
    CheckActive();
    const TRow& original = rows_[pendingRow_];
    QStringList assignments;
    QVariantList values;
    for (int i = 0; i < FieldCount(); ++i) {
        if (!def_.Fields[i].IsStored() || SameValue(original[i], (*pending_)[i])) continue;
        assignments << TCatalogSchema::Quoted(def_.Fields[i].Name) + " = ?";
        values << (*pending_)[i];
    }
    if (!assignments.isEmpty()) {
        const int key = FieldIndex(def_.KeyField);
        QSqlQuery q(store_->Database());
        q.prepare("UPDATE " + TCatalogSchema::Quoted(def_.Table) + " SET " + assignments.join(", ") +
                  " WHERE " + TCatalogSchema::Quoted(def_.KeyField) + " = ?");
        for (const QVariant& v : values) q.addBindValue(v);
        q.addBindValue(original[key]);
        // On failure the edit stays pending: nothing typed is dropped.
        if (!q.exec()) throw ECatalogError(store_->Failure(q.lastError().text()));
    }
    rows_[pendingRow_] = std::move(*pending_);
    pending_.reset();
    const int row = pendingRow_;
    pendingRow_ = -1;
    if (foldedField_ >= 0) folded_[row] = rows_[row][foldedField_].toString().toCaseFolded();
    Calculate(row);
}

void TRecordSource::Cancel() {
    if (!pending_) return;
    pending_.reset();
    pendingRow_ = -1;
    RecordChanged();
}

} // namespace tolvane
