#pragma once
// The two platform scroll bars of a custom-painted control, kept as on the classic platform:
// range, page, position and track position per bar, whether it shows and whether it is enabled.
// Writes what it keeps into the QScrollBar children; the control lays them out and turns their
// actions into scroll requests.

#include <QPointer>

class QScrollBar;

namespace tolvane {

enum TScrollBarKind { sbHorizontal, sbVertical };

class TPlatformScrollBars {
public:
    // The bars that show the state (null: none, or gone with their window).
    void Attach(QScrollBar* horz, QScrollBar* vert);

    // Range min..max, page size and position; the position is limited to
    // min..max - max(page - 1, 0). A range that needs scrolling shows the bar; one that does not
    // hides it, or with disableNoScroll leaves it as it is, disabled. Answers whether the bar
    // was shown or hidden (the layout follows).
    bool SetInfo(TScrollBarKind kind, int min, int max, int page, int pos, bool disableNoScroll);
    // Answers whether that changed anything.
    bool Show(TScrollBarKind kind, bool show);
    void Enable(TScrollBarKind kind, bool enable);

    int Pos(TScrollBarKind kind) const { return state_[kind].pos; }
    int Track(TScrollBarKind kind) const { return state_[kind].track; }
    void SetTrack(TScrollBarKind kind, int pos) { state_[kind].track = pos; }
    bool Shown(TScrollBarKind kind) const { return state_[kind].shown; }
    bool Enabled(TScrollBarKind kind) const { return state_[kind].enabled && state_[kind].scrollable; }
    // The bar itself is being written: its actions are ours, not the user's.
    bool Syncing(TScrollBarKind kind) const { return state_[kind].syncing; }
    // The bar shows the position again after a request (or the thumb with it, `thumbToo`).
    void Resync(TScrollBarKind kind, bool thumbToo);

private:
    struct TState {
        int min = 0, max = 100, page = 0, pos = 0, track = 0;
        bool shown = false;
        bool enabled = true;    // Enable
        bool scrollable = true; // the range needs scrolling
        bool syncing = false;   // writing the QScrollBar ourselves
    };
    void Write(TScrollBarKind kind);

    TState state_[2];
    QPointer<QScrollBar> bars_[2];
};

} // namespace tolvane
