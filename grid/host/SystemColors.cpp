#include "grid/host/SystemColors.h"

#include <array>

#include <QGuiApplication>
#include <QPalette>

namespace tolvane {

namespace {

constexpr int kTableSize = 31;

// The classic desktop palette, indexed by the system-colour number (values are 0x00BBGGRR).
constexpr std::array<TColor, kTableSize> kClassic = {
    0xC0C0C0, // 0 scroll bar
    0x808000, // 1 desktop
    0x800000, // 2 active caption
    0x808080, // 3 inactive caption
    0xC0C0C0, // 4 menu
    0xFFFFFF, // 5 window
    0x000000, // 6 window frame
    0x000000, // 7 menu text
    0x000000, // 8 window text
    0xFFFFFF, // 9 caption text
    0xC0C0C0, // 10 active border
    0xC0C0C0, // 11 inactive border
    0x808080, // 12 application workspace
    0x800000, // 13 highlight
    0xFFFFFF, // 14 highlight text
    0xC0C0C0, // 15 button face
    0x808080, // 16 button shadow
    0x808080, // 17 grey text
    0x000000, // 18 button text
    0xC0C0C0, // 19 inactive caption text
    0xFFFFFF, // 20 button highlight
    0x000000, // 21 3-D dark shadow
    0xC0C0C0, // 22 3-D light
    0x000000, // 23 info text
    0xE1FFFF, // 24 info background
    0xB5B5B5, // 25 (unused)
    0x800000, // 26 hot light
    0xF0CAA6, // 27 gradient active caption
    0xC0C0C0, // 28 gradient inactive caption
    0x800000, // 29 menu highlight
    0xC0C0C0, // 30 menu bar
};

struct TColorTable {
    std::array<TColor, kTableSize> colors = kClassic;
    bool follow = true;
    bool filled = false;   // from the palette, once an application exists
    qint64 paletteKey = 0; // the palette filled from
    // The application last seen and whether it is a graphical one: colours are resolved for
    // every pixel run painted, and the type check is not free.
    const QCoreApplication* app = nullptr;
    bool graphical = false;
};

TColorTable& State() {
    static TColorTable state;
    return state;
}

TColor FromQColor(const QColor& c) {
    return RGB(std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue()));
}

void FillFromPalette(std::array<TColor, kTableSize>& t, const QPalette& p) {
    t = kClassic;
    t[COLOR_WINDOW] = FromQColor(p.color(QPalette::Active, QPalette::Base));
    t[COLOR_WINDOWTEXT] = FromQColor(p.color(QPalette::Active, QPalette::Text));
    t[COLOR_WINDOWFRAME] = FromQColor(p.color(QPalette::Active, QPalette::Shadow));
    t[COLOR_HIGHLIGHT] = FromQColor(p.color(QPalette::Active, QPalette::Highlight));
    t[COLOR_HIGHLIGHTTEXT] = FromQColor(p.color(QPalette::Active, QPalette::HighlightedText));
    t[COLOR_BTNFACE] = FromQColor(p.color(QPalette::Active, QPalette::Button));
    t[COLOR_BTNSHADOW] = FromQColor(p.color(QPalette::Active, QPalette::Mid));
    t[COLOR_GRAYTEXT] = FromQColor(p.color(QPalette::Disabled, QPalette::Text));
    t[COLOR_BTNTEXT] = FromQColor(p.color(QPalette::Active, QPalette::ButtonText));
    t[COLOR_BTNHIGHLIGHT] = FromQColor(p.color(QPalette::Active, QPalette::Light));
    t[21] = FromQColor(p.color(QPalette::Active, QPalette::Dark));
    t[22] = FromQColor(p.color(QPalette::Active, QPalette::Midlight));
    t[COLOR_INFOTEXT] = FromQColor(p.color(QPalette::Active, QPalette::ToolTipText));
    t[COLOR_INFOBK] = FromQColor(p.color(QPalette::Active, QPalette::ToolTipBase));
    t[4] = t[COLOR_BTNFACE];
    t[7] = t[COLOR_WINDOWTEXT];
    t[0] = t[COLOR_BTNFACE];
    t[29] = t[COLOR_HIGHLIGHT];
    t[26] = FromQColor(p.color(QPalette::Active, QPalette::Link));
    // The inactive caption's gradient (the calendar's month strip) is a face like the buttons'.
    t[28] = t[COLOR_BTNFACE];
}

std::array<TColor, kTableSize>& Table() {
    TColorTable& s = State();
    // Colours asked for without a graphical application come from the classic table.
    const QCoreApplication* app = QCoreApplication::instance();
    if (app != s.app) {
        s.app = app;
        s.graphical = qobject_cast<const QGuiApplication*>(app) != nullptr;
    }
    if (s.follow && s.graphical) {
        const QPalette palette = QGuiApplication::palette();
        if (!s.filled || palette.cacheKey() != s.paletteKey) {
            FillFromPalette(s.colors, palette);
            s.paletteKey = palette.cacheKey();
            s.filled = true;
        }
    }
    return s.colors;
}

} // namespace

TColor ColorToRGB(TColor c) {
    if (c == clNone || !IsSystemColor(c)) return c;
    const unsigned index = c & 0xFFu;
    return index < kTableSize ? Table()[index] : clBlack;
}

void UseClassicSystemColors() {
    TColorTable& s = State();
    s.colors = kClassic;
    s.follow = false;
}

void UseApplicationPalette() {
    TColorTable& s = State();
    s.follow = true;
    s.filled = false;
    Table();
}

bool FollowsApplicationPalette() {
    return State().follow;
}

void SetSystemColor(int index, TColor rgb) {
    if (index < 0 || index >= kTableSize) return;
    Table()[std::size_t(index)] = rgb & 0xFFFFFFu;
}

} // namespace tolvane
