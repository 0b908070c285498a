#pragma once
// The screen cursor table: cursors by number, the classic built-in ones plus those the grid
// registers from its named resources, and a screen-wide override used during drags. One per
// process, like the other tables in docs/registries.md.

#include <QString>

class QCursor;

namespace tolvane {

using TCursor = int;

// The built-in cursors (classic numbering).
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crNo = -18;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

class TScreen {
public:
    // Loads the named cursor resource ("HORZSPLIT", "COLUMNNODRAG", "REVERSEDARROW", "ROLL",
    // "ROLLUP", "ROLLDOWN", "INDICATORSELECT") into the table under `id`; false for an unknown name.
    static bool LoadCursor(TCursor id, const QString& resourceName);
    static void SetCursorImage(TCursor id, const QCursor& cursor);
    static bool HasCursor(TCursor id);
    // The cursor of an id: registered ones, then the built-in ones; anything else is the arrow.
    static QCursor CursorOf(TCursor id);

    // The screen-wide cursor: anything but crDefault overrides every window's own cursor.
    static TCursor Cursor();
    static void SetCursor(TCursor id);

    // Pointer position in screen coordinates.
    static int CursorX();
    static int CursorY();
};

} // namespace tolvane
