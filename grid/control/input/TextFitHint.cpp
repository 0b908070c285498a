#include "grid/control/input/TextFitHint.h"

#include "grid/control/CustomGridViewControl.h"
#include "grid/host/HintWindow.h"

namespace tolvane {

TTextFitHint::TTextFitHint(TCustomGridViewControl& grid) : grid_(grid) {}

TTextFitHint::~TTextFitHint() = default;

void TTextFitHint::Update(int col, int row) {
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
    window_->ActivateHint(size.Offset(origin.X, origin.Y), text);
}

void TTextFitHint::Hide() {
    if (window_ && window_->Active()) window_->ReleaseHandle();
}

bool TTextFitHint::Showing() const {
    return window_ && window_->Active();
}

QString TTextFitHint::Text() const {
    return Showing() ? window_->Caption() : QString();
}

} // namespace tolvane
