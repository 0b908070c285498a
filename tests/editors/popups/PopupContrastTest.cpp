// Text in the popups and editors stays readable under a light and a dark desktop palette: read
// from their pixels, every text reaches a contrast of 4.5:1 with what lies behind it.
#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

#include "grid/editors/popups/DatePopup.h"
#include "grid/editors/popups/PopupList.h"
#include "grid/editors/text/TextualEditor.h"
#include "grid/host/SystemColors.h"
#include "grid/host/ThemePainter.h"
#include "grid/shared/ColorContrast.h"
#include "grid/shared/ThemesSupport.h"
#include "support/InputSimulator.h"

using namespace tolvane;

namespace {

QPalette LightPalette() {
    QPalette p(QColor(239, 239, 239), QColor(239, 239, 239));
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::ButtonText, Qt::black);
    p.setColor(QPalette::Highlight, QColor(48, 140, 198));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

// A dark desktop palette as the "darker" colour schemes have it: light text on dark grey.
QPalette DarkPalette() {
    QPalette p(QColor(66, 66, 66), QColor(66, 66, 66));
    const std::pair<QPalette::ColorRole, QColor> roles[] = {
        {QPalette::WindowText, QColor(255, 255, 255)}, {QPalette::Button, QColor(66, 66, 66)},
        {QPalette::Light, QColor(151, 151, 151)},      {QPalette::Midlight, QColor(94, 94, 94)},
        {QPalette::Dark, QColor(48, 48, 48)},          {QPalette::Mid, QColor(74, 74, 74)},
        {QPalette::Text, QColor(255, 255, 255)},       {QPalette::ButtonText, QColor(255, 255, 255)},
        {QPalette::Base, QColor(58, 58, 58)},          {QPalette::Window, QColor(66, 66, 66)},
        {QPalette::Shadow, QColor(0, 0, 0)},           {QPalette::Highlight, QColor(18, 96, 138)},
        {QPalette::HighlightedText, QColor(249, 249, 249)}, {QPalette::ToolTipBase, QColor(63, 63, 54)},
        {QPalette::ToolTipText, QColor(255, 255, 255)},
    };
    for (const auto& [role, color] : roles) p.setColor(role, color);
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
    return p;
}

// Sets the application palette for a test and has the grid follow it; restores both after.
class PaletteScope {
public:
    explicit PaletteScope(const QPalette& palette) : saved_(QApplication::palette()) {
        QApplication::setPalette(palette);
        UseApplicationPalette();
    }
    ~PaletteScope() {
        QApplication::setPalette(saved_);
        UseClassicSystemColors();
    }

private:
    QPalette saved_;
};

class ThemesScope {
public:
    explicit ThemesScope(bool on) : saved_(ThemesEnabled()) {
        LoadThemeLibrary();
        SetThemesEnabled(on);
    }
    ~ThemesScope() { SetThemesEnabled(saved_); }

private:
    bool saved_;
};

using PixelAt = std::function<TColor(int x, int y)>;

// The contrast of the text in `area`: its most common colour is the background, the pixel
// farthest from it the text.
double TextContrast(const PixelAt& pixel, const TRect& area) {
    std::map<TColor, int> counts;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x) ++counts[pixel(x, y)];
    TColor back = clNone;
    int most = 0;
    for (const auto& [color, n] : counts)
        if (n > most) most = n, back = color;
    double best = 1;
    for (const auto& [color, n] : counts) best = std::max(best, TColorContrast::Ratio(color, back));
    return best;
}

TColor FromQRgb(QRgb c) {
    return RGB(std::uint8_t(qRed(c)), std::uint8_t(qGreen(c)), std::uint8_t(qBlue(c)));
}

struct Look {
    const char* name;
    QPalette palette;
    bool themes;
};

const Look kLooks[] = {
    {"light", LightPalette(), false},
    {"light, themed", LightPalette(), true},
    {"dark", DarkPalette(), false},
    {"dark, themed", DarkPalette(), true},
};

} // namespace

TEST(PopupContrast, CalendarTextReadsOnEveryPart) {
    const TDateTime date = TMonthGrid::EncodeDate(2015, 2, 10);
    for (const Look& look : kLooks) {
        SCOPED_TRACE(look.name);
        PaletteScope palette(look.palette);
        ThemesScope themes(look.themes);
        TDatePopup popup;
        popup.SetBounds(0, 0, 151, 163);
        popup.SetDate(date);
        popup.Popup(30, 30);
        popup.PaintNow();
        const PixelAt pixel = [&](int x, int y) { return popup.SurfacePixel(x, y); };
        const struct {
            const char* part;
            TRect area;
        } parts[] = {
            {"selected day", TDatePopup::CellRect(2, 1)},
            {"another day", TDatePopup::CellRect(4, 1)},
            {"month caption", TRect{2, 2, popup.ClientWidth() - 2, 18}},
            {"Today button", TRect{20, 133, 64, 149}},
        };
        for (const auto& part : parts) EXPECT_GE(TextContrast(pixel, part.area), 4.5) << part.part;
        popup.ClosePopup();
    }
}

TEST(PopupContrast, DropDownListTextReadsOnHotAndPlainRows) {
    QStringList items{"OVA", "Movie", "TV"};
    for (const Look& look : kLooks) {
        SCOPED_TRACE(look.name);
        PaletteScope palette(look.palette);
        ThemesScope themes(look.themes);
        TPopupList list;
        list.SetItems(&items);
        list.SetDropDownSize(120, 8);
        list.Popup(40, 40);
        list.PaintNow();
        const PixelAt pixel = [&](int x, int y) { return list.SurfacePixel(x, y); };
        for (int row = 0; row < 3; ++row)
            EXPECT_GE(TextContrast(pixel, TRect{0, row * 16, list.ClientWidth(), row * 16 + 16}), 4.5) << row;
        list.ClosePopup();
    }
}

TEST(PopupContrast, EditorTextReadsAfterThePaletteChanges) {
    for (const Look& look : kLooks) {
        SCOPED_TRACE(look.name);
        ThemesScope themes(look.themes);
        // Made and shown under the other palette; the desktop's palette changes while it is open.
        PaletteScope before(look.palette.color(QPalette::Base).lightness() > 128 ? DarkPalette() : LightPalette());
        TTextualEditor editor;
        editor.SetBorderStyle(bsNone);
        editor.SetBounds(0, 0, 120, 20);
        editor.SetText("Movie 2004");
        test::InputSimulator::ShowAndFocus(editor);
        editor.SetCaret(0);
        PaletteScope now(look.palette);
        QCoreApplication::processEvents();
        const QImage image = editor.Widget()->grab().toImage();
        const PixelAt pixel = [&](int x, int y) { return FromQRgb(image.pixel(x, y)); };
        EXPECT_GE(TextContrast(pixel, TRect{0, 0, image.width(), image.height()}), 4.5);
    }
}
