#include "grid/control/GridAccessibility.h"

#include "grid/control/CustomGridViewControl.h"

namespace tolvane {

int TGridAccessibility::ColumnAt(int place) const {
    const TColumns& columns = grid_.Columns();
    for (int i = 0; i < columns.Count(); ++i)
        if (columns[i].VisibleIndex() == place) return i;
    return -1;
}

int TGridAccessibility::PlaceOf(int col) const {
    const TColumns& columns = grid_.Columns();
    return col >= 0 && col < columns.Count() ? columns[col].VisibleIndex() : -1;
}

QString TGridAccessibility::AccessibleName() {
    return grid_.Caption();
}

int TGridAccessibility::AccessibleRowCount() {
    return grid_.GetRowCount();
}

int TGridAccessibility::AccessibleColumnCount() {
    return grid_.Columns().VisibleCount();
}

QString TGridAccessibility::AccessibleColumnHeader(int column) {
    const int col = ColumnAt(column);
    return col < 0 ? QString() : grid_.Columns()[col].Header().Caption();
}

QString TGridAccessibility::AccessibleCellText(int column, int row) {
    const int col = ColumnAt(column);
    if (col < 0 || row < 0 || row >= grid_.GetRowCount()) return QString();
    return grid_.Columns()[col].FormatText(grid_.GetCellText(col, row));
}

bool TGridAccessibility::AccessibleRowSelected(int row) {
    if (row < 0 || row >= grid_.GetRowCount()) return false;
    return grid_.Has(goSelectFullRow) ? grid_.IsRowSelected(row) : row == grid_.Row();
}

TPoint TGridAccessibility::AccessibleCurrentCell() {
    if (grid_.InputFocused() || grid_.Row() < 0 || grid_.Row() >= grid_.GetRowCount()) return {-1, -1};
    return {PlaceOf(grid_.Col()), grid_.Row()};
}

TRect TGridAccessibility::AccessibleCellRect(int column, int row) {
    const int col = ColumnAt(column);
    if (col < 0 || row < 0 || row >= grid_.GetRowCount()) return {0, 0, 0, 0};
    return grid_.GetCellRect(col, row);
}

void TGridAccessibility::CurrentCellChanged(int col, int row) {
    AnnounceAccessibleFocus(grid_, PlaceOf(col), row);
}

} // namespace tolvane
