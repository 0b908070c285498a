#include "grid/control/input/CellHint.h"

#include "grid/control/CustomGridViewControl.h"
#include "grid/host/HintWindow.h"
#include "grid/control/input/TextFitHint.h"

namespace tolvane {

TCellHint::TCellHint(TCustomGridViewControl& grid) : grid_(grid) {}

TCellHint::~TCellHint() = default;

void TCellHint::Show(int col, int row, const QString& hint, TPoint pointer) {
    // The text-fit hint has the cell already; a hint left from another cell must not stay up.
    if (grid_.FitHint().Showing()) {
        Hide();
        return;
    }
    const TRect cell = grid_.GetCellRect(col, row, gaCells);
    const TPoint anchor = grid_.ClientToScreen({cell.Left + grid_.Columns()[col].Width(), cell.Top - 20});
    if (!window_) window_ = std::make_unique<THintWindow>();
    window_->SetColor(clInfoBk);
    const TRect size = window_->CalcHintRect(MaxWidth, hint);
    const TPoint origin = grid_.ClientToScreen({cell.Left, cell.Top});
    const TRect band = cell.Offset(origin.X - cell.Left, origin.Y - cell.Top);
    const TPoint at = grid_.ClientToScreen(pointer);
    window_->ActivateHint(
        THintWindow::ClearOfPointer(size.Offset(anchor.X, anchor.Y), at, band, THintWindow::WorkAreaAt(at)), hint);
}

void TCellHint::Hide() {
    if (window_ && window_->Active()) window_->ReleaseHandle();
}

bool TCellHint::Showing() const {
    return window_ && window_->Active();
}

TRect TCellHint::ScreenRect() const {
    return Showing() ? window_->BoundsRect() : TRect{};
}

} // namespace tolvane
