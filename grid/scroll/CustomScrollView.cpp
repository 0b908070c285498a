#include "grid/scroll/CustomScrollView.h"

namespace tolvane {

TCustomScrollView::TCustomScrollView() = default;

int TCustomScrollView::GetHorzScrollDelta(int, int) {
    return 0;
}
int TCustomScrollView::GetVertScrollDelta(int, int) {
    return 0;
}

void TCustomScrollView::ScrollContents(int dx, int dy) {
    if (dx != 0)
        ScrollWindowEx(dx, dy, horzScrollRect_);
    else
        ScrollWindowEx(0, dy, vertScrollRect_);
}

} // namespace tolvane
