#pragma once
// What a stored cell keeps beside its value, in two bytes of its block's side table: its font
// style and flags, and its colour as an index into the store's palette.

#include <cstdint>

namespace tolvane {

struct TCellMarks {
    static constexpr std::uint8_t FontStyleMask = 0x0F;
    // The value holds nothing on the heap: the cell's end needs no destructor.
    static constexpr std::uint8_t PlainValueFlag = 0x10;
    // Set while the store keeps a picture or a hint for the cell.
    static constexpr std::uint8_t ExtrasFlag = 0x20;
    // The slot holds a stand-in; the cell itself is too large for the slot and lives elsewhere.
    static constexpr std::uint8_t DetachedFlag = 0x40;
    static constexpr std::uint8_t InitializingFlag = 0x80;

    std::uint8_t Flags = InitializingFlag;
    std::uint8_t ColorIndex = 0;
};

} // namespace tolvane
