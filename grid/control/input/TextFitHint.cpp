#include "grid/control/input/TextFitHint.h"

#include "grid/control/CustomGridViewControl.h"
#include "grid/host/HintWindow.h"

namespace tolvane {

TTextFitHint::TTextFitHint(TCustomGridViewControl& grid) : grid_(grid) {}

TTextFitHint::~TTextFitHint() = default;

void TTextFitHint::Update(int col, int row, TPoint pointer) {
    const TCustomColumn& column = grid_.Columns()[col];
    if (!column.Options().Contains(coShowTextFitHint)) {
        Hide();
        return;
    }
    const QString text = grid_.GetCellText(col, row);
    TCanvas& canvas = grid_.Canvas();
    const TFont font = canvas.Font;
    canvas.Font = column.Font();
    const int width = canvas.TextWidth(column.FormatText(text));
    canvas.Font = font;
    if (column.Width() - Margin >= width) {
        Hide();
        return;
    }
    if (!window_) window_ = std::make_unique<THintWindow>();
    window_->SetColor(clInfoBk);
    const TRect cell = grid_.GetCellRect(col, row, gaCells);
    const TPoint origin = grid_.ClientToScreen({cell.Left, cell.Top});
    const TRect size = window_->CalcHintRect(grid_.ClientWidth(), text);
    const TRect band = cell.Offset(origin.X - cell.Left, origin.Y - cell.Top);
    const TPoint at = grid_.ClientToScreen(pointer);
    window_->ActivateHint(
        THintWindow::ClearOfPointer(size.Offset(origin.X, origin.Y), at, band, THintWindow::WorkAreaAt(at)), text);
}

void TTextFitHint::Hide() {
    if (window_ && window_->Active()) window_->ReleaseHandle();
}

bool TTextFitHint::Showing() const {
    return window_ && window_->Active();
}

TRect TTextFitHint::ScreenRect() const {
    return Showing() ? window_->BoundsRect() : TRect{};
}

QString TTextFitHint::Text() const {
    return Showing() ? window_->Caption() : QString();
}

} // namespace tolvane
