#pragma once
// The grid's side of in-place editing: starting a column's editor over a cell or an input-row
// cell, placing it, committing its text into the cell store or the input row, and routing its
// Enter, Escape and arrow keys back into the grid. Owns the editing state (the active editor,
// the edit cell or input column, and which of the two is being edited); painting and input read
// it through the grid's accessors.

#include <QString>

#include "grid/base/Types.h"
#include "grid/control/GridGeometry.h"

namespace tolvane {

class TCellEditor;
class TCustomColumn;
class TCustomGridViewControl;

class TGridEditing {
public:
    explicit TGridEditing(TCustomGridViewControl& grid) : grid_(grid) {}

    void ShowEditor(int ACol, int ARow, const QString& initialText);
    void ShowInputEditor(int ACol, const QString& initialText);
    void HideEditor();
    // A text the cell cannot take (a date cell given "99") is refused: the message goes to the
    // error sink, the cell keeps its value, and Refused() holds until the next commit.
    bool AcceptEdit();
    bool Refused() const { return refused_; }
    // Answers false when the edit cell lies above the data area (the editor is hidden then).
    bool PlaceEditor();
    // Commits and hides a running edit: focus leaving, scrolling, resizing, closing. A refused
    // text keeps its editor open.
    void EndEdit();
    // The grid goes: the editor keeps no handler that reaches it.
    void Detach();

    // The editor last shown (null when none); its column may have gone since.
    TCellEditor* Editor() const { return editor_; }
    TCellCoord EditCell() const { return editCell_; }
    bool EditingCell() const { return editingCell_; }
    bool EditingInput() const { return editingInput_; }
    bool IsEditCell(int ACol, int ARow) const { return editingCell_ && editCell_ == TCellCoord{ACol, ARow}; }

private:
    // The editor while a column still owns it.
    TCellEditor* LiveEditor() const;
    // Attaches the column's editor to the grid with the settings both kinds of editing share.
    void Attach(TCellEditor& editor, TCustomColumn& column, int margin, TColor background);
    void EditorKeyDown(int& key, TShiftState shift);
    void Show(TCellEditor& editor, TCustomColumn& column, bool typed);

    TCustomGridViewControl& grid_;
    // The editors belong to their columns, never to the grid.
    TCellEditor* editor_ = nullptr;
    TCellCoord editCell_;
    int inputColumn_ = -1;
    bool editingCell_ = false;
    bool editingInput_ = false;
    bool refused_ = false;
};

} // namespace tolvane
