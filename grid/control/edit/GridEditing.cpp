#include "grid/control/edit/GridEditing.h"

#include <algorithm>

#include "grid/base/Errors.h"
#include "grid/control/CustomGridViewControl.h"
#include "grid/control/input/GridNavigation.h"
#include "grid/editors/base/CellEditor.h"
#include "grid/editors/choice/CheckBoxEditor.h"
#include "grid/host/ExceptionSink.h"

namespace tolvane {

TCellEditor* TGridEditing::LiveEditor() const {
    // Columns take their editors with them when they go (a cleared collection tells the grid
    // only afterwards): an editor no column owns is gone.
    TCellEditor* editor = editor_;
    if (!editor) return nullptr;
    for (int i = 0; i < grid_.Columns().Count(); ++i)
        if (grid_.Columns()[i].Editor() == editor) return editor;
    return nullptr;
}

void TGridEditing::Attach(TCellEditor& editor, TCustomColumn& column, int margin, TColor background) {
    editor.SetBorderStyle(bsNone);
    // Moving a window to another parent is costly and hides it: done once per grid.
    if (editor.ParentControl() != &grid_) {
        editor.Hide();
        editor.SetParentControl(&grid_);
    }
    editor.SetAlignment(column.Alignment());
    editor.SetMargin(margin);
    editor.SetVerticalAlignment(column.VerticalAlignment());
    editor.OnEnter = [this] {
        if (!grid_.Focused()) grid_.Invalidate();
    };
    editor.OnExit = editor.OnEnter;
    editor.OnKeyDown = [this](int& key, TShiftState shift) { EditorKeyDown(key, shift); };
    editor.SetColor(background);
    column.PrepareEditor(&editor);
    TFont font = grid_.Font();
    font.Color = column.Font().Color;
    if (!(editor.Font() == font)) editor.SetFont(font);
}

void TGridEditing::Show(TCellEditor& editor, TCustomColumn& column, bool typed) {
    if (!PlaceEditor()) return; // the cell lies above the data area
    if (!editor.Visible()) editor.Show();
    if (editor.CanFocus()) editor.SetFocus();
    editor.AfterShow();
    // A typed first character stays as typed: selecting it would let the next one replace it.
    if (column.Options().Contains(coEditorAutoSelect) && !typed) editor.SelectAll();
}

void TGridEditing::ShowEditor(int ACol, int ARow, const QString& initialText) {
    if (editingCell_ && editCell_ == TCellCoord{ACol, ARow}) return;
    if (!grid_.CanEditColumn(ACol) || ARow < 0 || ARow >= grid_.GetRowCount()) return;
    TCustomColumn& column = grid_.Columns()[ACol];
    TCellEditor* editor = column.Editor();
    if (!editor) return;
    bool accept = true;
    if (grid_.OnBeforeEdit) grid_.OnBeforeEdit(&grid_, ACol, ARow, accept);
    if (!accept) return;
    grid_.AcceptEdit();
    if (refused_) return; // the refused text stays where it was typed
    grid_.HideEditor();
    // The commit may have changed the rows or the columns.
    if (ARow >= grid_.GetRowCount() || ACol >= grid_.Columns().Count() || column.Editor() != editor) return;

    editor_ = editor;
    editingCell_ = true;
    Attach(*editor, column, -1, grid_.GetCellColor(ACol, ARow));
    editor->OnEdit = [this](TCellEditor& sender) {
        if (grid_.OnEdit && editingCell_)
            grid_.OnEdit(&grid_, editCell_.Col, editCell_.Row, sender.Text());
    };
    editCell_ = TCellCoord{ACol, ARow};
    editor->SetAsString(initialText.isEmpty() ? grid_.GetCellText(ACol, ARow) : initialText);
    Show(*editor, column, !initialText.isEmpty());
}

void TGridEditing::ShowInputEditor(int ACol, const QString& initialText) {
    if (ACol < 0 || ACol >= grid_.Columns().Count()) return;
    grid_.SetInputFocused(true);
    grid_.SetCurrentCell(ACol, grid_.Row(), TShiftState{});
    grid_.AcceptEdit();
    if (refused_) return;
    grid_.HideEditor();
    if (ACol >= grid_.Columns().Count()) return;
    TCustomColumn& column = grid_.Columns()[ACol];
    TCellEditor* editor = column.Editor();
    if (!column.Options().Contains(coCanInput) || !editor) return;

    editor_ = editor;
    editingInput_ = true;
    Attach(*editor, column, 0, column.Color());
    editor->OnEdit = nullptr; // the input row raises no OnEdit
    inputColumn_ = ACol;
    column.SetInputEditing(true);
    editor->SetAsString(initialText.isEmpty() ? column.InputText() : initialText);
    editCell_ = TCellCoord{};
    Show(*editor, column, !initialText.isEmpty());
}

void TGridEditing::HideEditor() {
    TCellEditor* editor = LiveEditor();
    const TCellCoord cell = editCell_;
    const int inputColumn = inputColumn_;
    const bool input = editingInput_;
    if (input && inputColumn >= 0 && inputColumn < grid_.Columns().Count())
        grid_.Columns()[inputColumn].SetInputEditing(false);
    editingCell_ = false;
    editingInput_ = false;
    editCell_ = TCellCoord{};
    inputColumn_ = -1;
    editor_ = nullptr;
    if (!editor) return;
    // The focus goes back to the grid before the editor's window goes, so that the platform
    // does not hand it to some other window on the way.
    if (editor->Focused() && grid_.CanFocus()) grid_.SetFocus();
    editor->Hide();
    if (input)
        grid_.InvalidateColumnPart(inputColumn, gaInput);
    else
        grid_.InvalidateCell(cell.Col, cell.Row);
}

bool TGridEditing::AcceptEdit() {
    refused_ = false;
    TCellEditor* editor = LiveEditor();
    if (!editor) return false;
    if (editingCell_) {
        const TCellCoord cell = editCell_;
        const QString value = editor->AsString();
        if (value == grid_.GetCellText(cell.Col, cell.Row)) return false;
        bool accept = true;
        if (grid_.OnEditAccept) grid_.OnEditAccept(&grid_, cell.Col, cell.Row, value, accept);
        // The handler may have removed the row, or ended the edit itself.
        if (cell.Row < 0 || cell.Row >= grid_.GetRowCount() || cell.Col >= grid_.Columns().Count())
            return false;
        if (!accept) return false;
        try {
            grid_.SetCellText(cell.Col, cell.Row, value);
        } catch (const EConvertError& error) {
            refused_ = true;
            ReportException(QString::fromUtf8(error.what()));
            return false;
        }
        if (grid_.OnAfterEdit) grid_.OnAfterEdit(&grid_, cell.Col, cell.Row, value);
        return true;
    }
    if (editingInput_ && inputColumn_ >= 0 && inputColumn_ < grid_.Columns().Count()) {
        TCustomColumn& column = grid_.Columns()[inputColumn_];
        column.SetInputText(editor->AsString());
        column.SetInputEditing(false);
    }
    return false;
}

void TGridEditing::EndEdit() {
    if (!LiveEditor()) return;
    grid_.AcceptEdit();
    if (refused_) return;
    grid_.HideEditor();
}

bool TGridEditing::PlaceEditor() {
    TCellEditor* editor = LiveEditor();
    if (!editor) return false;
    TRect rect;
    if (editingCell_) {
        rect = grid_.GetCellRect(editCell_.Col, editCell_.Row, gaCells);
        if (rect.Top < grid_.Geometry().DataTop()) {
            editor->Hide();
            return false;
        }
        // A cell scrolled under the indicator keeps its editor inside the data area.
        rect.Left = std::max(rect.Left, grid_.Geometry().DataLeft());
    } else if (editingInput_) {
        rect = grid_.GetCellRect(inputColumn_, 0, gaInput);
    } else {
        return false;
    }
    rect = rect.Inflate(-1, -1);
    rect.Left = std::max(rect.Left, 0);
    const TRect bounds{rect.Left, rect.Top, std::max(rect.Left, rect.Right), std::max(rect.Top, rect.Bottom)};
    if (!(editor->BoundsRect() == bounds))
        editor->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    if (!editor->Visible()) editor->Show();
    if (grid_.Focused() && editor->CanFocus()) editor->SetFocus();
    return true;
}

void TGridEditing::EditorKeyDown(int& key, TShiftState shift) {
    TCellEditor* editor = editor_;
    if (!editor) return;
    switch (key) {
    case VK_RETURN:
        key = 0;
        if (editingCell_) {
            grid_.AcceptEdit();
            if (refused_) break;
            grid_.HideEditor();
            if (grid_.CanFocus()) grid_.SetFocus();
            grid_.Navigation().MoveBySelectionDirection();
        } else if (editingInput_) {
            const int column = inputColumn_;
            grid_.AcceptEdit();
            editor->Clear();
            try {
                grid_.AcceptInput();
            } catch (const EConvertError& error) {
                // Refused where it was typed: the input row keeps the text, and its editor
                // (hidden with the row taken back) shows it again.
                ReportException(QString::fromUtf8(error.what()));
                if (column >= 0 && column < grid_.Columns().Count()) ShowInputEditor(column, QString());
                break;
            }
            if (editor_ == editor && column < grid_.Columns().Count()) {
                editor->SetAsString(grid_.Columns()[column].InputText());
                editor->SelectAll();
            }
        }
        break;
    case VK_ESCAPE:
        key = 0;
        grid_.HideEditor();
        if (grid_.CanFocus()) grid_.SetFocus();
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        // The check box has no use for arrows: they go to the grid. (A drop-down list draws
        // itself too, but steps its item with Up and Down.)
        if (dynamic_cast<TCheckBoxEditor*>(editor)) {
            grid_.HideEditor();
            grid_.KeyDown(key, shift);
        }
        break;
    default:
        break;
    }
}

void TGridEditing::Detach() {
    editor_ = nullptr;
    editingCell_ = false;
    editingInput_ = false;
    for (int i = 0; i < grid_.Columns().Count(); ++i) {
        TCellEditor* e = grid_.Columns()[i].Editor();
        if (!e) continue;
        e->OnEnter = nullptr;
        e->OnExit = nullptr;
        e->OnKeyDown = nullptr;
        e->OnEdit = nullptr;
    }
}

} // namespace tolvane
