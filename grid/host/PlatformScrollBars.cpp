#include "grid/host/PlatformScrollBars.h"

#include <algorithm>

#include <QScrollBar>

namespace tolvane {

void TPlatformScrollBars::Attach(QScrollBar* horz, QScrollBar* vert) {
    bars_[sbHorizontal] = horz;
    bars_[sbVertical] = vert;
}

void TPlatformScrollBars::Write(TScrollBarKind kind) {
    QScrollBar* bar = bars_[kind];
    if (!bar) return;
    TState& st = state_[kind];
    st.syncing = true;
    const int top = std::max(st.min, st.max - std::max(st.page - 1, 0));
    bar->setRange(st.min, top);
    bar->setPageStep(std::max(st.page, 1));
    bar->setSingleStep(1);
    bar->setValue(st.pos);
    bar->setEnabled(st.enabled && st.scrollable);
    st.syncing = false;
}

bool TPlatformScrollBars::SetInfo(TScrollBarKind kind, int min, int max, int page, int pos,
                                  bool disableNoScroll) {
    TState& st = state_[kind];
    st.min = min;
    st.max = std::max(min, max);
    st.page = std::clamp(page, 0, st.max - st.min + 1);
    const int top = std::max(st.min, st.max - std::max(st.page - 1, 0));
    st.pos = std::clamp(pos, st.min, top);
    st.scrollable = top > st.min;
    st.track = st.pos;
    const bool wasShown = st.shown;
    if (st.scrollable)
        st.shown = true;
    else if (!disableNoScroll)
        st.shown = false;
    Write(kind);
    return st.shown != wasShown;
}

bool TPlatformScrollBars::Show(TScrollBarKind kind, bool show) {
    if (state_[kind].shown == show) return false;
    state_[kind].shown = show;
    return true;
}

void TPlatformScrollBars::Enable(TScrollBarKind kind, bool enable) {
    state_[kind].enabled = enable;
    if (QScrollBar* bar = bars_[kind]) bar->setEnabled(Enabled(kind));
}

void TPlatformScrollBars::Resync(TScrollBarKind kind, bool thumbToo) {
    QScrollBar* bar = bars_[kind];
    if (!bar) return;
    TState& st = state_[kind];
    st.syncing = true;
    bar->setValue(st.pos);
    if (thumbToo) bar->setSliderPosition(st.pos);
    st.syncing = false;
}

} // namespace tolvane
