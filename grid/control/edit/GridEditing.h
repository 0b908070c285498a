#pragma once
// The grid's side of in-place editing: starting a column's editor over a cell or an input-row
// cell, placing it, committing its text into the cell store or the input row, and routing its
// Enter, Escape and arrow keys back into the grid. The editing state itself (edit cell, active
// editor, input column, the two flags) stays in the grid, where painting and input read it.

#include <QString>

#include "grid/base/Types.h"

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

private:
    // The grid's editor while a column still owns it.
    TCellEditor* ActiveEditor() const;
    // Attaches the column's editor to the grid with the settings both kinds of editing share.
    void Attach(TCellEditor& editor, TCustomColumn& column, int margin, TColor background);
    void EditorKeyDown(int& key, TShiftState shift);
    void Show(TCellEditor& editor, TCustomColumn& column, bool typed);

    TCustomGridViewControl& grid_;
    bool refused_ = false;
};

} // namespace tolvane
