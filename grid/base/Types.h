#pragma once
// Value types shared by every part of the grid: colours, rectangles, alignments, small sets.
// Nothing here depends on Qt's widgets or painting.

#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace tolvane {

// ---------------------------------------------------------------------------------------------
// Colours: 0x00BBGGRR (red in the low byte), or a system-colour reference whose high byte is
// 0xFF and whose low byte is the system-colour index. clNone means "no colour".
using TColor = std::uint32_t;

constexpr TColor clSystemColor = 0xFF000000u;
constexpr TColor clNone = 0x1FFFFFFFu;

// System-colour indexes (the classic platform numbering, kept so stored colours stay meaningful).
enum TSystemColorIndex : std::uint8_t {
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_WINDOWTEXT = 8,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
};

constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
constexpr TColor clWindowFrame = clSystemColor | COLOR_WINDOWFRAME;
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
constexpr TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
constexpr TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;
constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
constexpr TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;
constexpr TColor clInfoText = clSystemColor | COLOR_INFOTEXT;
constexpr TColor clInfoBk = clSystemColor | COLOR_INFOBK;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clGreen = 0x008000;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;

constexpr bool IsSystemColor(TColor c) { return (c & 0xFF000000u) == clSystemColor; }
constexpr TColor RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}
constexpr std::uint8_t GetRValue(TColor c) { return std::uint8_t(c & 0xFF); }
constexpr std::uint8_t GetGValue(TColor c) { return std::uint8_t((c >> 8) & 0xFF); }
constexpr std::uint8_t GetBValue(TColor c) { return std::uint8_t((c >> 16) & 0xFF); }

// ---------------------------------------------------------------------------------------------
// Geometry in pixels. Right and bottom edges are exclusive everywhere.
struct TPoint {
    int X = 0;
    int Y = 0;
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    constexpr TRect Offset(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    constexpr TRect Inflate(int dx, int dy) const { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }
    // The common part; empty (all zero) when the two do not overlap.
    constexpr TRect Intersect(const TRect& o) const {
        TRect r{Left > o.Left ? Left : o.Left, Top > o.Top ? Top : o.Top, Right < o.Right ? Right : o.Right,
                Bottom < o.Bottom ? Bottom : o.Bottom};
        return r.IsEmpty() ? TRect{} : r;
    }
    constexpr bool Intersects(const TRect& o) const { return !Intersect(o).IsEmpty(); }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Rect(int l, int t, int r, int b) { return TRect{l, t, r, b}; }

// ---------------------------------------------------------------------------------------------
// A set over an enumeration whose values count from 0 in declaration order (at most 32 values).
template <typename E>
class TSet {
    static_assert(std::is_enum_v<E>);

public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> items) {
        for (E e : items) bits_ |= Bit(e);
    }
    static constexpr TSet FromBits(std::uint32_t bits) {
        TSet s;
        s.bits_ = bits;
        return s;
    }

    constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
    constexpr TSet& Include(E e) { bits_ |= Bit(e); return *this; }
    constexpr TSet& Exclude(E e) { bits_ &= ~Bit(e); return *this; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr std::uint32_t Bits() const { return bits_; }

    constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
    constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
    constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
    constexpr TSet operator+(E e) const { return FromBits(bits_ | Bit(e)); }
    constexpr TSet operator-(E e) const { return FromBits(bits_ & ~Bit(e)); }
    friend constexpr bool operator==(const TSet&, const TSet&) = default;

private:
    static constexpr std::uint32_t Bit(E e) { return std::uint32_t(1) << static_cast<unsigned>(e); }
    std::uint32_t bits_ = 0;
};

// ---------------------------------------------------------------------------------------------
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment { vaTop, vaMiddle, vaBottom };

// Shift state: Shift 1, Alt 2, Ctrl 4, then the mouse buttons and the double click.
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

// Areas of the grid returned by hit-testing and used to name what to repaint.
// Cell kinds: which cell class the store makes for a column and which value the grid loads
// into its display. Each column class sets one.
enum TCellKind {
    ckRowNumber = 0,
    ckPicture = 2,
    ckBoolean = 3,
    ckDateTime = 4,
    ckFloat = 5,
    ckInteger = 6,
    ckText = 7,
    ckVirtual = 9,
};


enum TGridArea { gaNone, gaCells, gaFooter, gaHeader, gaIndicator, gaInput };

// Cell state handed to the drawing events: csBold 1, csFocused 2, csSelected 4.
enum TCellStateItem { csBold, csFocused, csSelected };
using TCellState = TSet<TCellStateItem>;

// Date and time as days since 1899-12-30, the time of day as the fraction.
using TDateTime = double;

// Key codes used by the grid's keyboard handling (the classic virtual-key numbers).
enum TVirtualKey : int {
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_F2 = 0x71,
    VK_F4 = 0x73,
};

} // namespace tolvane
