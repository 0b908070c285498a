#include "grid/scroll/ScrollView.h"

#include <cstdlib>

namespace tolvane {

TScrollView::TScrollView()
    : horz_(std::make_unique<TControlScrollBar>(*this, sbHorizontal)),
      vert_(std::make_unique<TControlScrollBar>(*this, sbVertical)),
      rollMarker_(std::make_unique<TRollShadow>()), rollTimer_(std::make_unique<TTimer>()) {
    rollTimer_->SetEnabled(false);
    rollTimer_->SetInterval(1);
    rollTimer_->SetOnTimer([this] { RollTick(); });
    TScreen::LoadCursor(crRoll, QStringLiteral("ROLL"));
    TScreen::LoadCursor(crRollUp, QStringLiteral("ROLLUP"));
    TScreen::LoadCursor(crRollDown, QStringLiteral("ROLLDOWN"));
    ShowScrollBar(sbHorizontal, true);
    ShowScrollBar(sbVertical, true);
    vert_->Update();
    horz_->Update();
}

TScrollView::~TScrollView() {
    if (rolling_ && TScreen::Cursor() != crDefault) TScreen::SetCursor(crDefault);
}

void TScrollView::ScrollPositionChanged(TScrollBarKind) {}

void TScrollView::WMHScroll(int code, int) {
    ScrollMessage(*horz_, code);
}
void TScrollView::WMVScroll(int code, int) {
    ScrollMessage(*vert_, code);
}

void TScrollView::ScrollMessage(TControlScrollBar& bar, int code) {
    const int pos = bar.Position();
    switch (code) {
    case SB_LINEUP:
        bar.SetPosition(pos - bar.LineStep);
        break;
    case SB_LINEDOWN:
        bar.SetPosition(pos + bar.LineStep);
        break;
    case SB_PAGEUP:
        bar.SetPosition(pos - bar.PageStep);
        break;
    case SB_PAGEDOWN:
        bar.SetPosition(pos + bar.PageStep);
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        bar.SetPosition(TrackPosition(bar.Kind()));
        break;
    case SB_TOP:
        bar.SetPosition(0);
        break;
    case SB_BOTTOM:
        bar.SetPosition(bar.Max());
        break;
    default:
        break; // the position stays
    }
    if (Visible()) ShowScrollBar(bar.Kind(), bar.Visible());
}

void TScrollView::WMMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomScrollView::WMMouseDown(button, shift, x, y);
    if (button != mbMiddle) return;
    rolling_ = true;
    rollUp_ = rollDown_ = false;
    rollOrigin_ = TPoint{x, y};
    rollMarker_->SetCursor(crRoll);
    const TPoint screen = ClientToScreen(rollOrigin_);
    rollMarker_->Place(screen.X, screen.Y);
    rollTimer_->SetInterval(1);
    rollTimer_->SetEnabled(true);
    SetMouseCapture(true);
}

void TScrollView::WMMouseMove(TShiftState shift, int x, int y) {
    TCustomScrollView::WMMouseMove(shift, x, y);
    if (!rolling_) return;
    rollUp_ = rollDown_ = false;
    const int dy = y - rollOrigin_.Y;
    if (dy < -5) {
        TScreen::SetCursor(crRollUp);
        rollUp_ = true;
    } else if (dy > 5) {
        TScreen::SetCursor(crRollDown);
        rollDown_ = true;
    } else {
        TScreen::SetCursor(crRoll);
    }
    rollMarker_->SetCursor(TScreen::Cursor());
}

void TScrollView::RollTick() {
    const int dy = RollPointer().Y - rollOrigin_.Y;
    rollTimer_->SetInterval(std::max(1, 100 - std::abs(dy)));
    if (rollUp_)
        vert_->LineUp();
    else if (rollDown_)
        vert_->LineDown();
}

TPoint TScrollView::RollPointer() const {
    return ScreenToClient(GetCursorPos());
}

void TScrollView::WMMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomScrollView::WMMouseUp(button, shift, x, y);
    rollTimer_->SetEnabled(false);
    rolling_ = false;
    rollMarker_->Hide();
    TScreen::SetCursor(crDefault);
    SetMouseCapture(false);
}

} // namespace tolvane
