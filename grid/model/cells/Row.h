#pragma once
// The record of one grid row: its height and whether it is selected, in four bytes (a million
// rows keep one of these each).

namespace tolvane {

struct TRow {
    static constexpr int MaxHeight = (1 << 30) - 1;

    int Height : 31 = 0; // 0..MaxHeight
    bool Selected : 1 = false;
};

static_assert(sizeof(TRow) == 4, "a row record is four bytes");

} // namespace tolvane
