#include "app/RecordSource.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <algorithm>
#include <limits>

#include "app/CatalogError.h"
#include "app/CatalogSchema.h"
#include "app/CatalogStore.h"
#include "app/CheckedUpdate.h"
#include "app/CoveringIndex.h"
#include "app/FieldValues.h"
#include "app/FilteredRows.h"
#include "app/PageCacheLimit.h"
#include "app/SqlFailure.h"
#include "app/SqliteHandle.h"
#include "app/StatementCache.h"
#include "app/TextStartReader.h"
#include "app/RowReader.h"
#include "app/WriteConflict.h"
#include "grid/base/Errors.h"
#include "grid/base/ShownText.h"

namespace tolvane {


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
    const std::optional<TFilterExpression> filter = filtered_ ? ParsedFilter() : std::nullopt;
    ReadKeyFields(store);
    rowIdName_.clear();
    if (textLimit_ > 0)
        rowIdName_ = TTextStartReader::RowIdName(SqliteHandle(store.Database()), def_.Table);
    store_ = &store;
    try {
        Load(filter ? &*filter : nullptr);
    } catch (...) {
        store_ = nullptr;
        TakeRows({}, false);
        throw;
    }
    ApplyView(filter ? &*filter : nullptr);
}

void TRecordSource::ReadKeyFields(TCatalogStore& store) {
    keyFields_.assign(def_.Fields.size(), false);
    // The opening's schema check has usually read the types already; the file is asked only
    // when it has not.
    QHash<QString, QString> asked;
    const QHash<QString, QString>* types = store.DeclaredTypes(def_.Table);
    if (!types) {
        QSqlQuery q(store.Database());
        if (q.exec("PRAGMA table_info(" + TCatalogSchema::Quoted(def_.Table) + ")"))
            while (q.next()) asked.insert(q.value(1).toString(), q.value(2).toString());
        types = &asked;
    }
    for (int i = 0; i < FieldCount(); ++i) {
        const auto it = types->constFind(def_.Fields[i].Name);
        if (it != types->constEnd() && def_.Fields[i].IsNumeric()) keyFields_[i] = TFieldValues::NumericAffinity(*it);
    }
}

void TRecordSource::TakeRows(TRowTable rows, bool complete) {
    std::optional<TRow> carried;
    const int key = FieldIndex(def_.KeyField);
    if (pending_ && pendingRow_ >= 0) {
        carried = rows_.Row(pendingRow_);
        const QVariant& k = (*carried)[key];
        bool found = false;
        for (std::size_t r = 0; r < rows.size() && !found; ++r) found = SameStoredValue(rows[r][key], k);
        if (!found) {
            // Gone from what was read (deleted elsewhere, or not among the rows read): the record
            // stays as last read, so that the edit is neither lost nor written elsewhere.
            const std::int64_t carriedKey = TFieldValues::ToInteger(k);
            std::size_t lo = 0, hi = rows.size();
            while (lo < hi) {
                const std::size_t mid = lo + (hi - lo) / 2;
                if (carriedKey < TFieldValues::ToInteger(rows[mid][key]))
                    hi = mid;
                else
                    lo = mid + 1;
            }
            rows.Insert(lo, *carried);
        }
    }
    rows_ = std::move(rows);
    ++readCount_;
    complete_ = complete;
    loadedKey_.reset();
    shown_.Reset();
    calculated_.assign(rows_.size(), false);
    current_ = -1;
    if (carried) {
        pendingRow_ = RowOfKey((*carried)[key]);
        if (!calculated_[pendingRow_]) Calculate(pendingRow_);
        TRow edit = rows_.Row(pendingRow_);
        for (const auto& [field, base] : pendingBase_) {
            edit[field] = (*pending_)[field];
            SetCut(edit, FieldCount(), field, false);
        }
        pending_ = std::move(edit);
    }
}

int TRecordSource::RowOfKey(const QVariant& key) const {
    const int k = FieldIndex(def_.KeyField);
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r)
        if (SameStoredValue(rows_[r][k], key)) return r;
    return -1;
}

void TRecordSource::Load(const TFilterExpression* filter) {
    if (complete_) return;
    if (filter && filter->Type() == TFilterType::ftEquals && def_.Fields[filter->Field()].IsNumeric()) {
        if (!filter->HasNumber()) return; // selects nothing
        if (keyFields_[filter->Field()]) {
            const TKey key{filter->Field(), filter->Number()};
            if (loadedKey_ == key) return;
            TakeRows(ReadRows(*store_, key), false);
            loadedKey_ = key;
            return;
        }
    }
    TakeRows(ReadRows(*store_, std::nullopt), true);
}

namespace {

// A whole table is read page after page once: a small cache serves that as well as a large one.
constexpr int kWholeReadCacheKiB = 256;

} // namespace

void TRecordSource::SortByKey(TRowTable& rows) const {
    const int key = FieldIndex(def_.KeyField);
    rows.StableSort([key](TRowTable::TConstRowView a, TRowTable::TConstRowView b) {
        return TFieldValues::ToInteger(a[key]) < TFieldValues::ToInteger(b[key]);
    });
}

void TRecordSource::TakeInKeyOrder(TRowTable& rows, const TRow& row, bool& ordered, std::int64_t& last) const {
    const std::int64_t key = TFieldValues::ToInteger(row[FieldIndex(def_.KeyField)]);
    if (ordered && !rows.empty() && key < last) ordered = false;
    last = key;
    rows.push_back(row);
}

TRowTable TRecordSource::ReadRows(TCatalogStore& store, const std::optional<TKey>& only) const {
    if (!rowIdName_.isEmpty()) return ReadRowsWithTextStarts(store, only);
    QStringList columns;
    std::vector<int> positions;
    // SQLite's substr turns a number into text: only texts are cut there, so that a value read
    // compares equal to the one stored. Other engines keep texts in text columns.
    const bool sqlite = store.Database().driverName() == "QSQLITE";
    for (int i = 0; i < FieldCount(); ++i) {
        if (!def_.Fields[i].IsStored()) continue;
        const QString name = TCatalogSchema::Quoted(def_.Fields[i].Name);
        if (textLimit_ > 0 && def_.Fields[i].Kind == TFieldKind::fkWideText) {
            // One character more than kept tells whether there is more.
            const QString prefix = QString("substr(%1, 1, %2)").arg(name).arg(textLimit_ + 1);
            columns << (sqlite ? QString("CASE WHEN typeof(%1) = 'text' THEN %2 ELSE %1 END").arg(name, prefix)
                               : prefix);
        } else {
            columns << name;
        }
        positions.push_back(i);
    }
    QString sql = "SELECT " + columns.join(", ") + " FROM " + TCatalogSchema::Quoted(def_.Table);
    QVariantList values;
    if (only) {
        sql += " WHERE " + TCatalogSchema::Quoted(def_.Fields[only->first].Name) + " = ?";
        values << QVariant::fromValue<qlonglong>(only->second);
    }
    // In key order. Tables come so already; a view's rows are sorted here rather than by the
    // database, which would sort them through a temporary tree. The order is checked while each
    // row is read: a second pass would fetch every row from memory again.
    TRowTable rows;
    bool ordered = true;
    std::int64_t last = 0;
    const TPageCacheLimit cacheLimit(only ? nullptr : SqliteHandle(store.Database()), kWholeReadCacheKiB);
    try {
        TRowReader::ReadEach(store.Database(), sql, FieldCount() + (textLimit_ > 0 ? 1 : 0), positions, values,
                             &store.Statements(), nullptr, [&](TRow&& row) {
                                 if (textLimit_ > 0) CutLongTexts(row);
                                 TakeInKeyOrder(rows, row, ordered, last);
                             });
    } catch (const ECatalogError& e) {
        throw ECatalogError(store.Failure(QString::fromStdString(e.what())));
    }
    if (!ordered) SortByKey(rows);
    return rows;
}

TRowTable TRecordSource::ReadRowsWithTextStarts(TCatalogStore& store, const std::optional<TKey>& only) const {
    try {
        return ReadRowsWithTextStartsOnce(store, only);
    } catch (const ECatalogError&) {
        // An index kept from before may have been dropped by another program since: it is looked
        // up again, once.
        if (!only || !coveringIndex_.Kept()) throw;
        coveringIndex_.Forget();
        return ReadRowsWithTextStartsOnce(store, only);
    }
}

TRowTable TRecordSource::ReadRowsWithTextStartsOnce(TCatalogStore& store, const std::optional<TKey>& only) const {
    // The query reads a wide text only where it is no text (a number or a blob stored in a text
    // column); where it is one, it answers whether, and the start is read by the text's row id.
    // The query never loads the texts, and the pages of a long text past its start stay unread.
    // Rows selected by a key are read through an index leading with it where there is one: the
    // values it keeps are read from it, and a long text in the row is never walked to reach the
    // values stored after it. A wide text it keeps is read there, cut by the query.
    sqlite3* handle = SqliteHandle(store.Database());
    std::optional<TCoveringIndex> index;
    if (only) {
        QStringList stored;
        for (const TFieldDef& f : def_.Fields)
            if (f.IsStored()) stored << f.Name;
        index = coveringIndex_.Find(handle, def_.Table, def_.Fields[only->first].Name, stored);
    }
    const int width = FieldCount() + 1;
    QStringList columns{rowIdName_};
    std::vector<int> positions{width};
    struct TTextField {
        int field;
        int flag; // position of "is a text" in the row
    };
    std::vector<TTextField> texts;
    for (int i = 0; i < FieldCount(); ++i) {
        if (!def_.Fields[i].IsStored()) continue;
        const QString name = TCatalogSchema::Quoted(def_.Fields[i].Name);
        if (def_.Fields[i].Kind == TFieldKind::fkWideText && index && index->Holds(def_.Fields[i].Name)) {
            columns << QString("CASE WHEN typeof(%1) = 'text' THEN substr(%1, 1, %2) ELSE %1 END")
                           .arg(name)
                           .arg(textLimit_ + 1);
            positions.push_back(i);
        } else if (def_.Fields[i].Kind == TFieldKind::fkWideText) {
            columns << QString("CASE WHEN typeof(%1) = 'text' THEN NULL ELSE %1 END").arg(name);
            positions.push_back(i);
            texts.push_back({i, width + 1 + static_cast<int>(texts.size())});
        } else {
            columns << name;
            positions.push_back(i);
        }
    }
    for (const TTextField& t : texts) {
        columns << QString("typeof(%1) = 'text'").arg(TCatalogSchema::Quoted(def_.Fields[t.field].Name));
        positions.push_back(t.flag);
    }
    QString sql = "SELECT " + columns.join(", ") + " FROM " + TCatalogSchema::Quoted(def_.Table);
    if (index) sql += " INDEXED BY " + TCatalogSchema::Quoted(index->Name());
    QVariantList values;
    if (only) {
        sql += " WHERE " + TCatalogSchema::Quoted(def_.Fields[only->first].Name) + " = ?";
        values << QVariant::fromValue<qlonglong>(only->second);
    }
    QStringList names;
    for (const TTextField& t : texts) names << def_.Fields[t.field].Name;
    TTextStartReader reader(handle, def_.Table, names, rowIdName_, textLimit_ + 1);
    std::vector<int> which;
    const auto complete = [&](TRow& row) {
        which.clear();
        for (std::size_t k = 0; k < texts.size(); ++k)
            if (row[texts[k].flag].toLongLong() != 0) which.push_back(static_cast<int>(k));
        if (!which.empty()) {
            std::vector<QString> read = reader.Read(row[width].toLongLong(), which);
            for (std::size_t k = 0; k < which.size(); ++k)
                row[texts[static_cast<std::size_t>(which[k])].field] = QVariant(std::move(read[k]));
        }
        row.resize(width);
    };
    TRowTable rows;
    bool ordered = true;
    std::int64_t last = 0;
    const TPageCacheLimit cacheLimit(only ? nullptr : SqliteHandle(store.Database()), kWholeReadCacheKiB);
    try {
        TRowReader::ReadEach(store.Database(), sql, width + 1 + static_cast<int>(texts.size()), positions, values,
                             &store.Statements(), complete, [&](TRow&& row) {
                                 CutLongTexts(row);
                                 TakeInKeyOrder(rows, row, ordered, last);
                             });
    } catch (const ECatalogError& e) {
        throw ECatalogError(store.Failure(QString::fromStdString(e.what())));
    }
    if (!ordered) SortByKey(rows);
    return rows;
}

void TRecordSource::CutLongTexts(TRow& row) const {
    qlonglong cut = 0;
    for (int i = 0; i < FieldCount(); ++i) {
        QVariant& value = row[i];
        if (def_.Fields[i].Kind != TFieldKind::fkWideText || value.typeId() != QMetaType::QString || value.isNull())
            continue;
        const QString& read = *static_cast<const QString*>(value.constData());
        if (read.size() <= textLimit_) continue;
        // The database counts characters, not UTF-16 units: the text was cut when it has more
        // than the limit of them.
        qsizetype characters = 0;
        for (qsizetype k = 0; k < read.size(); ++k) {
            if (read[k].isLowSurrogate() && k > 0 && read[k - 1].isHighSurrogate()) continue;
            if (characters++ == textLimit_) {
                value = QVariant(read.left(k));
                cut |= qlonglong(1) << i;
                break;
            }
        }
    }
    row[FieldCount()] = QVariant(cut);
}

bool TRecordSource::IsCut(const TRow& row, int field) const {
    return row.size() > std::size_t(FieldCount()) && (row[FieldCount()].toLongLong() >> field & 1) != 0;
}

bool TRecordSource::IsCutInTable(int row, int field) const {
    return rows_.Width() > std::size_t(FieldCount()) && (rows_.Value(row, FieldCount()).toLongLong() >> field & 1) != 0;
}

void TRecordSource::SetCutInTable(int row, int at, int field, bool cut) {
    if (rows_.Width() <= std::size_t(at)) return;
    const qlonglong bit = qlonglong(1) << field;
    const qlonglong mask = rows_.Value(row, at).toLongLong();
    rows_.SetValue(row, at, QVariant(cut ? mask | bit : mask & ~bit));
}

void TRecordSource::SetCut(TRow& row, int at, int field, bool cut) {
    if (row.size() <= std::size_t(at)) return;
    const qlonglong bit = qlonglong(1) << field;
    const qlonglong mask = row[at].toLongLong();
    row[at] = QVariant(cut ? mask | bit : mask & ~bit);
}

bool TRecordSource::IsCutAt(int recNo, int field) const {
    CheckField(field);
    CheckListIndex(recNo - 1, RecordCount(), "Record");
    const int row = ViewRow(recNo - 1);
    return pending_ && row == pendingRow_ ? IsCut(*pending_, field) : IsCutInTable(row, field);
}

QString TRecordSource::WholeTextAt(int recNo, int field) {
    if (IsCutAt(recNo, field)) ReadWhole(ViewRow(recNo - 1), field);
    return WideTextAt(recNo, field);
}

void TRecordSource::ReadWhole(int row, int field) {
    CheckActive();
    const QVariant key = rows_[row][FieldIndex(def_.KeyField)];
    const QString sql = "SELECT " + TCatalogSchema::Quoted(def_.Fields[field].Name) + " FROM " +
                        TCatalogSchema::Quoted(def_.Table) + " WHERE " + TCatalogSchema::Quoted(def_.KeyField) + " = ?";
    std::vector<TRow> read;
    try {
        read = TRowReader::Read(store_->Database(), sql, 1, {0}, {key});
    } catch (const ECatalogError& e) {
        throw ECatalogError(store_->Failure(QString::fromStdString(e.what())));
    }
    if (read.size() != 1)
        throw ECatalogError(store_->Failure(
            QString("the whole \"%1\" of the record %2 of \"%3\" cannot be read: %4")
                .arg(def_.Fields[field].DisplayLabel(), key.toString(), def_.Table,
                     read.empty() ? "it no longer exists" : "its key is not unique")));
    const int at = FieldCount();
    rows_.SetValue(row, field, read[0][0]);
    SetCutInTable(row, at, field, false);
    if (pending_ && row == pendingRow_ && pendingBase_.find(field) == pendingBase_.end()) {
        (*pending_)[field] = read[0][0];
        SetCut(*pending_, at, field, false);
    }
    shown_.FieldRead(rows_, row, field);
}

void TRecordSource::Close() {
    if (!Active()) return;
    pending_.reset();
    pendingRow_ = -1;
    pendingBase_.clear();
    store_ = nullptr;
    TakeRows({}, false);
    if (OnViewChanged) OnViewChanged();
    RecordChanged();
}

void TRecordSource::SetRecNo(int recNo) {
    CheckActive();
    CheckListIndex(recNo - 1, RecordCount(), "Record");
    if (recNo - 1 == current_) return;
    PostUnlessHeld();
    current_ = recNo - 1;
    RecordChanged();
}

void TRecordSource::First() {
    CheckActive();
    PostUnlessHeld();
    current_ = RecordCount() == 0 ? -1 : 0;
    RecordChanged();
}

std::optional<TFilterExpression> TRecordSource::ParsedFilter() const {
    if (filter_.empty()) return std::nullopt;
    if (parsed_) return parsed_;
    return TFilterExpression::Parse(filter_, def_);
}

void TRecordSource::SetFilter(const std::string& text) {
    if (!Active() || !filtered_) {
        filter_ = text;
        parsed_.reset();
        return;
    }
    std::optional<TFilterExpression> parsed;
    if (!text.empty()) parsed = TFilterExpression::Parse(text, def_);
    ApplyFilter(text, parsed);
}

void TRecordSource::SetFilter(const TFilterExpression& filter) {
    CheckField(filter.Field());
    if (!Active() || !filtered_) {
        filter_ = filter.Text();
        parsed_ = filter;
        return;
    }
    ApplyFilter(filter.Text(), filter);
}

void TRecordSource::ApplyFilter(const std::string& text, const std::optional<TFilterExpression>& filter) {
    PostUnlessHeld();
    Load(filter ? &*filter : nullptr);
    filter_ = text;
    parsed_ = filter;
    ApplyView(filter ? &*filter : nullptr);
}

void TRecordSource::SetFiltered(bool filtered) {
    if (!Active()) {
        filtered_ = filtered;
        return;
    }
    const std::optional<TFilterExpression> parsed = filtered ? ParsedFilter() : std::nullopt;
    PostUnlessHeld();
    if (filtered && filtered_ && shown_.Applied()) {
        // The view already shows this filter: only back to its first record.
        current_ = RecordCount() == 0 ? -1 : 0;
        RecordChanged();
        return;
    }
    Load(parsed ? &*parsed : nullptr);
    filtered_ = filtered;
    ApplyView(parsed ? &*parsed : nullptr);
}

void TRecordSource::ApplyView(const TFilterExpression* filter, const std::optional<QVariant>& keep) {
    shown_.Select(rows_, filter, complete_);
    current_ = RecordCount() == 0 ? -1 : 0;
    if (keep) {
        const int key = FieldIndex(def_.KeyField);
        for (int p = 0; p < RecordCount(); ++p)
            if (SameStoredValue(rows_[ViewRow(p)][key], *keep)) {
                current_ = p;
                break;
            }
    }
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

int TRecordSource::CurrentRowIndex() const {
    if (calcRow_ >= 0) return calcRow_;
    return current_ < 0 ? -1 : ViewRow(current_);
}

QVariant TRecordSource::Field(int row, int field) const {
    // The record being calculated reads its stored values; others show a pending edit.
    const bool pending = pending_ && row == pendingRow_ && row != calcRow_;
    if (!pending && !def_.Fields[field].IsStored() && row != calcRow_ && !calculated_[row]) Calculate(row);
    return pending ? (*pending_)[field] : rows_.Value(row, field);
}

QVariant TRecordSource::CurrentField(int field) const {
    static const QVariant none;
    CheckField(field);
    const int row = CurrentRowIndex();
    return row < 0 ? none : Field(row, field);
}

QVariant TRecordSource::Value(int field) const {
    return CurrentField(field);
}

QVariant TRecordSource::ValueAt(int recNo, int field) const {
    CheckField(field);
    CheckListIndex(recNo - 1, RecordCount(), "Record");
    return Field(ViewRow(recNo - 1), field);
}

std::int64_t TRecordSource::AsInteger(int field) const {
    return TFieldValues::ToInteger(CurrentField(field));
}
std::string TRecordSource::AsText(int field) const {
    return TFieldValues::ToText(CurrentField(field));
}
QString TRecordSource::AsWideText(int field) const {
    return WideText(CurrentField(field));
}

std::vector<int> TRecordSource::ShownRows() const {
    std::vector<int> rows(static_cast<std::size_t>(RecordCount()));
    for (int p = 0; p < RecordCount(); ++p) rows[static_cast<std::size_t>(p)] = ViewRow(p);
    return rows;
}

std::int64_t TRecordSource::IntegerOfRow(int row, int field) const {
    CheckField(field);
    CheckListIndex(row, static_cast<int>(rows_.size()), "Row");
    return TFieldValues::ToInteger(Field(row, field));
}

QString TRecordSource::WideTextOfRow(int row, int field) const {
    CheckField(field);
    CheckListIndex(row, static_cast<int>(rows_.size()), "Row");
    return WideText(Field(row, field));
}

QString TRecordSource::WideText(const QVariant& value) {
    if (value.typeId() == QMetaType::QString && !value.isNull()) {
        const QString& text = *static_cast<const QString*>(value.constData());
        if (text.isValidUtf16()) return text;
    }
    return QString::fromStdString(TFieldValues::ToText(value));
}

QString TRecordSource::WideTextAt(int recNo, int field, qsizetype limit) const {
    CheckField(field);
    CheckListIndex(recNo - 1, RecordCount(), "Record");
    const QVariant& value = Field(ViewRow(recNo - 1), field);
    if (value.typeId() != QMetaType::QString || value.isNull()) return QString::fromStdString(TFieldValues::ToText(value));
    const QString& text = *static_cast<const QString*>(value.constData());
    const QString shown = limit < 0 ? text : ShownText(text, spStart, limit);
    return shown.isValidUtf16() ? shown : QString::fromStdString(TFieldValues::NarrowText(shown));
}

std::string TRecordSource::TextAt(int recNo, int field) const {
    CheckField(field);
    CheckListIndex(recNo - 1, RecordCount(), "Record");
    return TFieldValues::ToText(Field(ViewRow(recNo - 1), field));
}

void TRecordSource::Calculate(int row) const {
    if (!OnCalcFields) return;
    const int outer = calcRow_;
    calcRow_ = row;
    try {
        // Filling calculated fields on first read is part of reading: the values are the
        // record's, only their computation is late.
        OnCalcFields(const_cast<TRecordSource&>(*this));
    } catch (...) {
        calcRow_ = outer;
        throw;
    }
    calcRow_ = outer;
    calculated_[row] = true;
}

void TRecordSource::SetCalcText(int field, const std::string& text) {
    CheckField(field);
    if (calcRow_ < 0) throw ECatalogError("Calculated fields are set only while a record is calculated");
    if (def_.Fields[field].IsStored())
        throw ECatalogError("\"" + def_.Fields[field].Name + "\" is not a calculated field");
    rows_.SetValue(calcRow_, field, QString::fromStdString(text));
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
    const int row = ViewRow(current_);
    if (pending_ && pendingRow_ != row)
        throw ECatalogError("an edit of another record of \"" + def_.Table + "\" is not stored yet");
    // The edit is checked against, and starts from, the value as stored: never a start of it.
    if (pendingBase_.find(field) == pendingBase_.end() && IsCutInTable(row, field)) ReadWhole(row, field);
    if (!pending_) {
        // The edit starts from the record as shown, calculated fields included.
        if (!calculated_[row]) Calculate(row);
        pendingRow_ = row;
        pending_ = rows_.Row(row);
    }
    const auto base = pendingBase_.find(field);
    const QVariant read = base != pendingBase_.end() ? base->second : rows_.Value(row, field);
    // An emptied field that held nothing stays null.
    if (f.Kind == TFieldKind::fkWideText && read.isNull() && !stored.isNull() && stored.toString().isEmpty())
        stored = QVariant();
    if (SameStoredValue(read, stored)) {
        (*pending_)[field] = read;
        if (base != pendingBase_.end()) pendingBase_.erase(base);
        if (pendingBase_.empty()) {
            pending_.reset();
            pendingRow_ = -1;
        }
        return;
    }
    if (base == pendingBase_.end()) pendingBase_.emplace(field, read);
    (*pending_)[field] = stored;
}

void TRecordSource::Post() {
    if (!pending_) return;
    CheckActive();
    const int key = FieldIndex(def_.KeyField);
    std::vector<TCheckedUpdate::TChange> changes;
    for (;;) {
        changes.clear();
        std::vector<int> fields;
        for (const auto& [field, base] : pendingBase_) {
            changes.push_back({def_.Fields[field].Name, base, (*pending_)[field]});
            fields.push_back(field);
        }
        const std::vector<TCheckedUpdate::TStale> stale =
            TCheckedUpdate::Run(*store_, def_.Table, def_.KeyField, rows_[pendingRow_][key], changes);
        if (stale.empty()) break;
        std::vector<TFieldConflict> conflicts;
        for (const TCheckedUpdate::TStale& s : stale) {
            const int field = fields[s.Change];
            const QVariant mine = (*pending_)[field];
            // Stored elsewhere as typed here: nothing is in dispute.
            if (SameStoredValue(s.Stored, mine))
                ResolveConflict(field, s.Stored, false);
            else
                conflicts.push_back({field, def_.Fields[field].DisplayLabel(), s.Stored, mine});
        }
        if (!conflicts.empty()) {
            QString record;
            for (const TFieldDef& f : def_.Fields)
                if (f.Visible && f.Kind == TFieldKind::fkWideText) {
                    record = rows_[pendingRow_][FieldIndex(f.Name)].toString();
                    break;
                }
            throw EWriteConflict(record, std::move(conflicts));
        }
        if (!pending_) return;
    }
    const int row = pendingRow_;
    TRow before = rows_.Row(row);
    rows_.Assign(row, std::move(*pending_));
    pending_.reset();
    pendingRow_ = -1;
    pendingBase_.clear();
    const QVariant storedKey = rows_[row][key];
    Stored(row, before);
    if (OnStored) OnStored(storedKey, changes);
}

void TRecordSource::PostUnlessHeld() {
    if (held_ == 0) Post();
}

void TRecordSource::ResolveConflict(int field, const QVariant& stored, bool keepMine) {
    CheckField(field);
    const auto base = pendingBase_.find(field);
    if (!pending_ || base == pendingBase_.end()) return;
    const int row = pendingRow_;
    TRow before = rows_.Row(row);
    rows_.SetValue(row, field, stored);
    SetCutInTable(row, FieldCount(), field, false);
    base->second = stored;
    if (!keepMine || SameStoredValue(stored, (*pending_)[field])) {
        (*pending_)[field] = stored;
        pendingBase_.erase(base);
    }
    if (pendingBase_.empty()) {
        pending_.reset();
        pendingRow_ = -1;
    }
    Stored(row, before);
    RecordChanged();
}

std::optional<TRecordSource::TPendingEdit> TRecordSource::PendingEdit() const {
    if (!pending_) return std::nullopt;
    TPendingEdit edit;
    edit.Key = rows_[pendingRow_][FieldIndex(def_.KeyField)];
    for (const auto& [field, base] : pendingBase_) {
        edit.Base.emplace_back(field, base);
        edit.Mine.emplace_back(field, (*pending_)[field]);
    }
    return edit;
}

void TRecordSource::Reload() {
    CheckActive();
    if (!complete_ && !loadedKey_) return; // nothing read: a view that selects nothing
    std::optional<QVariant> current;
    if (HasRecord()) current = rows_[ViewRow(current_)][FieldIndex(def_.KeyField)];
    const std::optional<TKey> key = complete_ ? std::nullopt : loadedKey_;
    const bool complete = complete_;
    TakeRows(ReadRows(*store_, key), complete);
    loadedKey_ = key;
    const std::optional<TFilterExpression> filter = filtered_ ? ParsedFilter() : std::nullopt;
    ApplyView(filter ? &*filter : nullptr, current);
}

void TRecordSource::Stored(int row, const TRow& before) {
    shown_.RowStored(rows_, row, before);
    calculated_[row] = false;
}

void TRecordSource::Cancel() {
    if (!pending_) return;
    pending_.reset();
    pendingRow_ = -1;
    pendingBase_.clear();
    RecordChanged();
}

} // namespace tolvane
