#pragma once
// A table or view of the catalogue held in memory: its rows read from and written to the database,
// a current record addressed by 1-based position, typed field reads, calculated fields and one
// pending edit of the current record. Which rows the filter shows is TFilteredRows's; how values
// read as numbers and texts is TFieldValues's. A source filtered by a key is read for that key
// alone; it reads every row only when it is shown unfiltered or filtered otherwise.

#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/CheckedUpdate.h"
#include "app/CoveringIndex.h"
#include "app/FieldDef.h"
#include "app/FilterExpression.h"
#include "app/FilteredRows.h"
#include "app/RowTable.h"

namespace tolvane {

class TCatalogStore;

class TRecordSource {
public:
    explicit TRecordSource(TSourceDef def);
    TRecordSource(const TRecordSource&) = delete;
    TRecordSource& operator=(const TRecordSource&) = delete;

    const TSourceDef& Definition() const { return def_; }
    int FieldCount() const { return static_cast<int>(def_.Fields.size()); }
    const TFieldDef& FieldDef(int field) const;
    // Throws ECatalogError for a name the source does not have.
    int FieldIndex(const QString& name) const;

    // Wide texts longer than `chars` characters are read cut to that many (the rest stays in the
    // file, never copied or converted), where a caller shows only the start of a text; 0 reads
    // them whole. Set before Open. An edit of a field read cut reads it whole first.
    void SetTextLimit(qsizetype chars) { textLimit_ = chars; }
    // Whether a field of the record at a 1-based position of the view holds only the start of
    // what is stored.
    bool IsCutAt(int recNo, int field) const;
    // The whole text of a field of the record at a 1-based position: a text read cut is read whole
    // from the database now and kept so (what an editor of the field starts from).
    QString WholeTextAt(int recNo, int field);

    // Reads the rows of the view the filter text and flag set beforehand select (every row when
    // none); the view starts on its first record.
    void Open(TCatalogStore& store);
    // Discards a pending edit.
    void Close();
    bool Active() const { return store_ != nullptr; }

    // Records in the current view, and the 1-based position of the current one (0: none).
    int RecordCount() const { return shown_.Count(rows_); }
    int RecNo() const { return current_ + 1; }
    bool HasRecord() const { return current_ >= 0; }
    // Moving stores a pending edit first. Throws EListError outside 1..RecordCount.
    void SetRecNo(int recNo);
    void First();

    // Setting the text while filtered stores a pending edit and applies the new filter; while not
    // filtered it is only remembered. Throws ECatalogError for a text of an unknown form.
    void SetFilter(const std::string& text);
    // The same with the filter already parsed: its text is what Filter() answers.
    void SetFilter(const TFilterExpression& filter);
    const std::string& Filter() const { return filter_; }
    // Stores a pending edit, then shows the rows the filter text selects (or all rows), on the first.
    void SetFiltered(bool filtered);
    bool Filtered() const { return filtered_; }

    // Fields of the current record (of the record being calculated, inside OnCalcFields). Without
    // a record, or for a null value, they read as empty text and 0.
    QVariant Value(int field) const;
    bool IsNull(int field) const { return Value(field).isNull(); }
    std::int64_t AsInteger(int field) const;
    std::string AsText(int field) const;
    // AsText turned into wide text, without the round trip where it would change nothing.
    QString AsWideText(int field) const;

    // The shown records as row numbers, which hold while ReadCount stays the same: a list can read
    // its rows later, whatever record is current or shown by then.
    std::vector<int> ShownRows() const;
    int ReadCount() const { return readCount_; }
    // A field of a row by its number, as AsInteger and AsWideText read the current record's.
    std::int64_t IntegerOfRow(int row, int field) const;
    QString WideTextOfRow(int row, int field) const;
    // Fields of the record at a 1-based position of the view, without moving to it.
    QVariant ValueAt(int recNo, int field) const;
    std::string TextAt(int recNo, int field) const;
    // TextAt as wide text, at most `limit` characters of its start (all of it when negative),
    // without copying or converting the rest: what a view shows of a long text.
    QString WideTextAt(int recNo, int field, qsizetype limit = -1) const;

    // Inside OnCalcFields only: sets a calculated field of the record being calculated.
    void SetCalcText(int field, const std::string& text);

    // Changes a field of the current record; the change stays pending until Post, a move or a
    // filter change stores it. Throws for a read-only field, a text longer than the field's size
    // or a value of the wrong kind. A field set back to the value last read is no longer edited.
    void SetValue(int field, const QVariant& value);
    bool Modified() const { return pending_.has_value(); }
    // Writes a pending edit to the database with bound parameters, each edited field only where
    // the database still holds the value last read. Throws EWriteConflict, writing nothing, when
    // another writer changed one of them meanwhile; the edit stays pending then, as on any failure.
    void Post();
    void Cancel();
    // Settles a field of a conflict: `stored` is what the database holds now and becomes the
    // value last read; the edit keeps the user's value, or takes the stored one and is dropped.
    void ResolveConflict(int field, const QVariant& stored, bool keepMine);

    // The edited fields of the pending edit, with the values last read, for keeping them elsewhere.
    struct TPendingEdit {
        QVariant Key;
        std::vector<std::pair<int, QVariant>> Base; // field, value last read
        std::vector<std::pair<int, QVariant>> Mine; // field, value to store
    };
    std::optional<TPendingEdit> PendingEdit() const;

    // Reads the rows again as the database holds them now, keeping the view's filter, the current
    // record (by key) and a pending edit (its edited fields over the record as stored now).
    void Reload();

    // While held, moving and filtering keep a pending edit instead of storing it.
    class THeldEdit {
    public:
        explicit THeldEdit(TRecordSource& source) : source_(source) { ++source_.held_; }
        ~THeldEdit() { --source_.held_; }
        THeldEdit(const THeldEdit&) = delete;
        THeldEdit& operator=(const THeldEdit&) = delete;

    private:
        TRecordSource& source_;
    };

    // Fills the calculated fields of a record: raised when they are first read after the record
    // was loaded or an edit of it was stored, so before the record is shown.
    std::function<void(TRecordSource&)> OnCalcFields;
    // The set of records in the view changed.
    std::function<void()> OnViewChanged;
    // The current record changed: another record, no record, or its values were reloaded.
    std::function<void()> OnRecordChanged;
    // An edit was stored: the record's key and each field written, with the value it replaced.
    std::function<void(const QVariant& key, const std::vector<TCheckedUpdate::TChange>& written)> OnStored;

    // Holds OnRecordChanged while a caller walks the records; the last enable raises it once.
    void DisableControls() { ++disabled_; }
    void EnableControls();

private:
    using TRow = std::vector<QVariant>;

    void CheckActive() const;
    void CheckField(int field) const;
    using TKey = std::pair<int, std::int64_t>; // field, value
    // The rows of the whole table, or those whose field equals a key.
    TRowTable ReadRows(TCatalogStore& store, const std::optional<TKey>& only) const;
    // The same where the start of each wide text is read apart from the query (see rowIdName_).
    TRowTable ReadRowsWithTextStarts(TCatalogStore& store, const std::optional<TKey>& only) const;
    TRowTable ReadRowsWithTextStartsOnce(TCatalogStore& store, const std::optional<TKey>& only) const;
    // Keeps the rows read in key order (tables come so; a view's rows are sorted afterwards).
    void TakeInKeyOrder(TRowTable& rows, const TRow& row, bool& ordered, std::int64_t& last) const;
    void SortByKey(TRowTable& rows) const;
    void PostUnlessHeld();
    // Cuts the wide texts of a row read with the text limit, marking which were cut.
    void CutLongTexts(TRow& row) const;
    bool IsCut(const TRow& row, int field) const;
    static void SetCut(TRow& row, int at, int field, bool cut);
    // The same for a row held.
    bool IsCutInTable(int row, int field) const;
    void SetCutInTable(int row, int at, int field, bool cut);
    // Replaces a field read cut by the whole text stored now.
    void ReadWhole(int row, int field);
    // The row whose key field holds the key, or -1.
    int RowOfKey(const QVariant& key) const;
    // Whether the database itself can select a key of the field: its column keeps numbers as
    // numbers, so that equality in SQL is equality of the number.
    void ReadKeyFields(TCatalogStore& store);
    // Holds the rows a view by this filter needs.
    void Load(const TFilterExpression* filter);
    // Takes rows read anew; a pending edit moves to its record among them (kept when it is gone).
    void TakeRows(TRowTable rows, bool complete);
    void ApplyFilter(const std::string& text, const std::optional<TFilterExpression>& filter);
    std::optional<TFilterExpression> ParsedFilter() const;
    int ViewRow(int position) const { return shown_.Row(position); }
    void Calculate(int row) const;
    // The field of a row as held, its calculated fields filled first when they are asked for.
    QVariant Field(int row, int field) const;
    QVariant CurrentField(int field) const;
    // A value as wide text, shared where it is text already.
    static QString WideText(const QVariant& value);
    // Shows the rows the filter selects, on the record with the key when it is among them, else
    // on the first.
    void ApplyView(const TFilterExpression* filter, const std::optional<QVariant>& keep = std::nullopt);
    void RecordChanged();
    void Stored(int row, const TRow& before);
    int CurrentRowIndex() const;

    TSourceDef def_;
    TCatalogStore* store_ = nullptr;
    // See SetTextLimit. A row read with it has one value after its fields: the bit mask of the
    // fields read cut.
    qsizetype textLimit_ = 0;
    // How a query names the row id of the table, where the start of its wide texts can be read
    // without loading them whole; empty where they are cut by the query.
    QString rowIdName_;
    TRowTable rows_;
    // Whether rows_ holds every row, or only the rows of loadedKey_.
    bool complete_ = false;
    std::optional<TKey> loadedKey_;
    std::vector<bool> keyFields_;
    // The rows of rows_ the filter shows.
    TFilteredRows shown_{def_};
    int current_ = -1;
    // Whether a row's calculated fields are filled; they are filled when first read.
    mutable std::vector<bool> calculated_;
    mutable int calcRow_ = -1;
    mutable TCoveringIndexCache coveringIndex_;
    std::string filter_;
    std::optional<TFilterExpression> parsed_; // filter_ parsed, when it came so
    bool filtered_ = false;
    std::optional<TRow> pending_;
    int pendingRow_ = -1;
    // The edited fields of pending_ and the values they held when last read.
    std::map<int, QVariant> pendingBase_;
    int held_ = 0;
    int disabled_ = 0;
    bool changedWhileDisabled_ = false;
    // Counts the readings of rows_; row numbers of an earlier reading no longer hold.
    int readCount_ = 0;
};

} // namespace tolvane
