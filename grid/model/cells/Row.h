#pragma once
// The record of one grid row: its height and whether it is selected.

namespace tolvane {

struct TRow {
    int Height = 0;
    bool Selected = false;
};

} // namespace tolvane
