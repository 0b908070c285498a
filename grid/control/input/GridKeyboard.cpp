#include "grid/control/input/GridKeyboard.h"

#include <algorithm>

#include "grid/control/CustomGridViewControl.h"
#include "grid/control/input/GridNavigation.h"
#include "grid/display/base/ColumnPlay.h"
#include "grid/editors/choice/PopupEditor.h"
#include "grid/editors/text/TextualEditor.h"

namespace tolvane {

void TGridKeyboard::GoTo(int row, TShiftState shift) {
    grid_.SetCurrentCell(grid_.Col(), row, shift);
}

void TGridKeyboard::KeyDown(int key, TShiftState shift) {
    if (grid_.GetRowCount() < 1) return;
    const bool copyKey = (key == 'C' || key == VK_INSERT) && shift.Contains(ssCtrl) && !shift.Contains(ssAlt);
    if (copyKey) {
        grid_.CopyToClipboard();
        return;
    }
    const bool plain = !shift.Contains(ssAlt) && !shift.Contains(ssCtrl);
    if (key == VK_F2 && plain) {
        EditAtEnd();
        return;
    }
    if (IsDropDownKey(key, shift)) {
        DropDownCurrent();
        return;
    }
    switch (key) {
    case VK_PRIOR:
        PageUp(shift);
        break;
    case VK_NEXT:
        PageDown(shift);
        break;
    case VK_END:
        grid_.SetVertPosition(grid_.VertMax());
        GoTo(grid_.GetRowCount() - 1, shift);
        break;
    case VK_HOME:
        grid_.SetVertPosition(0);
        GoTo(0, shift);
        break;
    case VK_LEFT:
        grid_.Navigation().PreviousVisibleColumn();
        break;
    case VK_RIGHT:
        grid_.Navigation().NextVisibleColumn();
        break;
    case VK_UP:
        Up(shift);
        break;
    case VK_DOWN:
        Down(shift);
        break;
    default:
        break;
    }
}

void TGridKeyboard::PageUp(TShiftState shift) {
    const int vpos = grid_.VertPosition();
    if (grid_.Row() > vpos) {
        GoTo(vpos, shift);
        return;
    }
    const int target = std::max(0, grid_.Row() - grid_.VisibleRowCount());
    GoTo(target, shift);
    grid_.SetVertPosition(target);
}

void TGridKeyboard::PageDown(TShiftState shift) {
    const int vpos = grid_.VertPosition();
    const int visible = grid_.VisibleRowCount();
    const int lastShown = vpos + visible - 1;
    if (grid_.Row() < lastShown) {
        GoTo(lastShown, shift);
        return;
    }
    GoTo(std::min(grid_.GetRowCount() - 1, grid_.Row() + visible), shift);
    grid_.SetVertPosition(vpos + visible);
}

void TGridKeyboard::Up(TShiftState shift) {
    const int row = grid_.Row();
    if (row > 0 && !grid_.InputFocused()) {
        if (row <= grid_.VertPosition()) grid_.VertLineUp();
        GoTo(row - 1, shift);
    } else if (row == 0 && grid_.Has(goInput) && grid_.GridStyle() == gsReport) {
        grid_.SetInputFocused(true);
    }
}

void TGridKeyboard::Down(TShiftState shift) {
    const int row = grid_.Row();
    if (row + 1 >= grid_.GetRowCount()) return;
    if (row > grid_.VertPosition() + grid_.VisibleRowCount() - 1) grid_.VertLineDown();
    const TGridGeometry& geo = grid_.Geometry();
    if (geo.RowTop(row + 1) + geo.RowHeight(row + 1) > geo.DataBottom()) grid_.VertLineDown();
    if (grid_.InputFocused()) {
        grid_.SetInputFocused(false);
        GoTo(0, TShiftState{});
    } else {
        GoTo(row + 1, shift);
    }
}

bool TGridKeyboard::StartEdit() {
    const int col = grid_.Col();
    if (col < 0 || col >= grid_.Columns().Count()) return false;
    if (grid_.InputFocused())
        grid_.ShowInputEditor(col, QString());
    else
        grid_.ShowEditor(col, grid_.Row(), QString());
    return grid_.ActiveEditor() != nullptr;
}

void TGridKeyboard::EditAtEnd() {
    if (!StartEdit()) return;
    // The whole text may have been selected for typing over; F2 goes on writing after it.
    if (auto* editor = dynamic_cast<TTextualEditor*>(grid_.ActiveEditor()))
        editor->SetSelection(int(editor->Text().size()), 0);
}

void TGridKeyboard::DropDownCurrent() {
    const int col = grid_.Col();
    if (col < 0 || col >= grid_.Columns().Count()) return;
    // Only a column whose editor drops something down starts editing on these keys.
    if (!dynamic_cast<TPopupEditor*>(grid_.Columns()[col].Editor())) return;
    if (!StartEdit()) return;
    if (auto* editor = dynamic_cast<TPopupEditor*>(grid_.ActiveEditor())) editor->DropDownFromKeyboard();
}

int TGridKeyboard::SearchColumn() const {
    const TColumns& columns = grid_.Columns();
    for (int i = 0; i < columns.Count(); ++i)
        if (columns[i].Options().Contains(coSearchColumn)) return i;
    return -1;
}

void TGridKeyboard::KeyPress(QChar& key) {
    if (key == QChar(VK_ESCAPE)) return;
    if (key == QChar(VK_RETURN)) {
        if (!grid_.WantReturns())
            key = QChar(0);
        else
            grid_.Navigation().MoveBySelectionDirection();
        return;
    }
    const TColumns& columns = grid_.Columns();
    const int col = grid_.Col(), row = grid_.Row();
    if (col < 0 || col >= columns.Count()) return;
    TCustomColumn& column = columns[col];
    const bool editing = column.Options().Contains(coEditing);

    // An in-cell editor needs a cell to work on: none while there are no rows, nor after the
    // current row went.
    const bool realCell = row >= 0 && row < grid_.GetRowCount();
    if (TColumnPlay* play = column.Play(); play && editing && realCell) {
        if (grid_.CanEditInPlace(col, row, grid_.GetCellRect(col, row, gaCells))) play->KeyPress(key);
    }
    if (key.isNull()) return;
    if (column.AcceptsKey(key)) {
        if (!grid_.InputFocused())
            grid_.ShowEditor(col, row, QString(key));
        else
            grid_.ShowInputEditor(col, QString(key));
    }
    if (!grid_.InputFocused() && !editing && grid_.GetRowCount() > 0) {
        if (const int searchColumn = SearchColumn(); searchColumn >= 0) grid_.SearchFor(searchColumn, key);
    }
}

} // namespace tolvane
