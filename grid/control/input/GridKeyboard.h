#pragma once
// Keys and characters typed on the grid: moving the current cell, Enter, editing and search, Ctrl+C,
// F2 to edit and F4 or Alt+Down to open a cell's drop-down list or calendar.

#include <QChar>

#include "grid/base/Types.h"

namespace tolvane {

class TCustomGridViewControl;

class TGridKeyboard {
public:
    explicit TGridKeyboard(TCustomGridViewControl& grid) : grid_(grid) {}

    // The grid's own handling of a key, before the framework raises OnKeyDown.
    void KeyDown(int key, TShiftState shift);
    // The grid's handling of a character after OnKeyPress; may clear the key.
    void KeyPress(QChar& key);

private:
    void GoTo(int row, TShiftState shift);
    void PageUp(TShiftState shift);
    void PageDown(TShiftState shift);
    void Up(TShiftState shift);
    void Down(TShiftState shift);
    // Starts the current cell's editor (the input cell's with the input row focused); whether one
    // is running afterwards.
    bool StartEdit();
    // F2: edits the current cell with the caret after its text.
    void EditAtEnd();
    // F4, Alt+Down: opens the drop-down list or calendar of the current cell's editor.
    void DropDownCurrent();
    // The first column by index with coSearchColumn; -1 when none.
    int SearchColumn() const;

    TCustomGridViewControl& grid_;
};

} // namespace tolvane
