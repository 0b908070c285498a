#pragma once
// The cell hint: the hint text a cell carries, shown beside the cell while the pointer is on it.

#include <memory>

#include <QString>

#include "grid/base/Types.h"

namespace tolvane {

class TCustomGridViewControl;
class THintWindow;

class TCellHint {
public:
    explicit TCellHint(TCustomGridViewControl& grid);
    ~TCellHint();

    static constexpr int MaxWidth = 250;

    // Shows `hint` for the cell, clear of `pointer` (grid client coordinates).
    void Show(int col, int row, const QString& hint, TPoint pointer);
    void Hide();
    bool Showing() const;
    // Where the hint window is on the screen (empty when hidden).
    TRect ScreenRect() const;

private:
    TCustomGridViewControl& grid_;
    std::unique_ptr<THintWindow> window_;
};

} // namespace tolvane
