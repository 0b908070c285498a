#include "grid/model/columns/SlideBounds.h"

namespace tolvane {

void TSlideBounds::CopyFrom(const TSlideBounds& source) {
    SetHeight(source.Height());
    SetLeft(source.Left());
    SetTop(source.Top());
    SetWidth(source.Width());
}

} // namespace tolvane
