#pragma once
// A trace of the keyboard focus for checks on a real desktop: with TOLVANE_FOCUS_TRACE set to a
// file name, every change of the focus appends the name of the control that took it (the
// nearest named widget) as one line. Unset, nothing happens.

namespace tolvane {

class TFocusTrace {
public:
    static void FollowIfAsked();
};

} // namespace tolvane
