#pragma once
// The text-fit hint: a cell whose text does not fit its column shows the whole text in a hint
// window at the cell's top-left corner, or just below (above) the cell when that would cover the
// pointer.

#include <memory>

#include <QString>

#include "grid/base/Types.h"

namespace tolvane {

class TCustomGridViewControl;
class THintWindow;

class TTextFitHint {
public:
    explicit TTextFitHint(TCustomGridViewControl& grid);
    ~TTextFitHint();

    // The column's width less this must hold the text for it to count as fitting.
    static constexpr int Margin = 5;

    // Shows the hint for the cell when its text does not fit, hides it otherwise; `pointer` is
    // where the pointer is, in the grid's client coordinates.
    void Update(int col, int row, TPoint pointer);
    void Hide();
    bool Showing() const;
    // Where the hint window is on the screen (empty when hidden).
    TRect ScreenRect() const;
    // The text shown (the cell's text as the grid gives it).
    QString Text() const;

private:
    TCustomGridViewControl& grid_;
    std::unique_ptr<THintWindow> window_;
};

} // namespace tolvane
