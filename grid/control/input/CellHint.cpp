#include "grid/control/input/CellHint.h"

#include "grid/control/CustomGridViewControl.h"
#include "grid/host/HintWindow.h"
#include "grid/control/input/TextFitHint.h"

namespace tolvane {

TCellHint::TCellHint(TCustomGridViewControl& grid) : grid_(grid) {}

TCellHint::~TCellHint() = default;

void TCellHint::Show(int col, int row, const QString& hint) {
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
    window_->ActivateHint(size.Offset(anchor.X, anchor.Y), hint);
}

void TCellHint::Hide() {
    if (window_ && window_->Active()) window_->ReleaseHandle();
}

bool TCellHint::Showing() const {
    return window_ && window_->Active();
}

} // namespace tolvane
