#include "grid/model/cells/GridData.h"

#include "grid/model/cells/CellColumnSource.h"
#include "grid/base/Errors.h"

namespace tolvane {

namespace {
// Raised and caught inside the cell text access, so it never reaches a caller.
class ECellOutOfBounds : public EGridError {
public:
    ECellOutOfBounds(int col, int row)
        : EGridError("Cell out of bounds (" + std::to_string(col) + ", " + std::to_string(row) + ")") {}
};
} // namespace

TGridData::TGridData(const TCellColumnSource* columns) : cells_(columns) {}

bool TGridData::InRange(int col, int row) const {
    const TCellColumnSource* columns = cells_.ColumnSource();
    const int columnCount = columns ? columns->ColumnCount() : 0;
    // The store is asked too, so that a collection ahead of the store cannot lead outside it.
    return row >= 0 && row < cells_.RowCount() && col >= 0 && col < columnCount && col < cells_.ColumnCount();
}

void TGridData::GetCellText(int col, int row, QString& value) {
    try {
        if (!InRange(col, row)) throw ECellOutOfBounds(col, row);
        value = cells_.GetCell(col, row)->Text();
    } catch (const ECellOutOfBounds&) {
    }
}

void TGridData::SetCellText(int col, int row, const QString& value) {
    try {
        if (!InRange(col, row)) throw ECellOutOfBounds(col, row);
        cells_.GetCell(col, row)->SetText(value);
    } catch (const ECellOutOfBounds&) {
    }
}

int TGridData::GetRowHeight(int row) const {
    int height = rows_.Items(row).Height;
    if (OnMeasuringRowHeight) OnMeasuringRowHeight(row, height);
    return height;
}

bool TGridData::SetRowSelected(int row, bool selected) {
    if (row < 0 || row >= GetRowCount()) return false;
    TRow& record = rows_.Items(row);
    if (record.Selected == selected) return false;
    record.Selected = selected;
    return true;
}

void TGridData::AddRows(int count) {
    if (count <= 0) return;
    cells_.AddRows(count);
    rows_.Add(count, RowSize);
    const TCellColumnSource* columns = cells_.ColumnSource();
    if (!UseDefaultValues || !columns) return;
    const int rowCount = GetRowCount();
    for (int r = rowCount - count; r < rowCount; ++r)
        for (int c = 0; c < columns->ColumnCount(); ++c) {
            const QString value = columns->ColumnDefaultValue(c);
            if (!value.isEmpty()) SetCellText(c, r, value);
        }
}

void TGridData::Clear() {
    cells_.ClearRows();
    rows_.Clear();
}

// Rows added by AddCellRows have no records; the record list follows only where it reaches.
void TGridData::DeleteRow(int row) {
    cells_.DeleteRow(row);
    if (row < rows_.Count()) rows_.Delete(row);
}

void TGridData::InsertRow(int row) {
    cells_.InsertRow(row);
    if (row <= rows_.Count()) rows_.Insert(row, RowSize);
}

void TGridData::MoveRow(int from, int to) {
    cells_.MoveRow(from, to);
    if (from < rows_.Count() && to < rows_.Count()) rows_.Move(from, to);
}

void TGridData::ColumnsNotify(int kind, int a, int b) {
    cells_.ColumnsNotify(kind, a, b);
    // Deleting the last column empties the store; records of rows that are gone would
    // otherwise pass their heights and selection to the rows added next.
    if (cells_.RowCount() == 0) rows_.Clear();
}

} // namespace tolvane
