// The markup display on pixels: each case is compared with the same pieces of text drawn one
// after the other by plain text output in the fonts the markup asks for.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "grid/display/columns/HtmlColumnDisplay.h"
#include "grid/model/columns/classes/HtmlColumn.h"

#include "display/columns/ColumnDisplayFixture.h"

namespace tolvane::testing {
namespace {

constexpr TColor Plain = 0x202020;
constexpr TColor Highlighted = 0x00AA00;
constexpr TColor Red = 0x0000FF;
constexpr TColor Blue = 0xFF0000;
constexpr TColor ShortF00 = 0x000F00; // "#F00" read as 0x000F00: green 0x0F, not red

// A piece of text as it should show: its style, colour and font height; NewLine starts it one
// line lower at the left.
struct Piece {
    const char16_t* Text;
    TFontStyles Style = {};
    TColor Color = Plain;
    int Height = 13;
    bool NewLine = false;
};

struct MarkupCase {
    const char* What;
    const char16_t* Markup;
    std::vector<Piece> Expected;
    // The cell is the current one, drawn by the grid in this text colour.
    bool Current = false;
    TColor TextColor = Plain;
    const char16_t* PaintedBefore = nullptr; // painted first into the same display, then wiped
};

void PrintTo(const MarkupCase& c, std::ostream* os) {
    *os << c.What;
}

const TRect Cell{10, 5, 290, 55};

class HtmlDisplay : public ColumnDisplayFixture<THtmlColumn, THtmlColumnDisplay> {
protected:
    HtmlDisplay() {
        Display.CellRect = Cell;
        Display.HighlightedTextColor = Highlighted;
        Canvas().Font.Color = Plain;
    }

    void Paint(const QString& markup) {
        Display.TextValue = markup;
        Display.Paint();
    }

    // The pieces drawn from (Left + 2, Top + 1) with the canvas's plain text output.
    static TBitmap Draw(const std::vector<Piece>& pieces, const TFont& font) {
        TBitmap bitmap(300, 60);
        TCanvas& c = bitmap.Canvas();
        c.Brush.Color = clWhite;
        c.FillRect({0, 0, 300, 60});
        c.Brush.Style = bsClear;
        int x = Cell.Left + 2, y = Cell.Top + 1, lineHeight = 0;
        for (const Piece& piece : pieces) {
            if (piece.NewLine) {
                y += lineHeight;
                x = Cell.Left + 2;
                lineHeight = 0;
            }
            c.Font = font;
            c.Font.Style = piece.Style;
            c.Font.Color = piece.Color;
            c.Font.Height = piece.Height;
            const QString text = QString::fromUtf16(piece.Text);
            c.TextOut(x, y, text);
            x += c.TextWidth(text);
            lineHeight = std::max(lineHeight, c.TextHeight(text));
        }
        return bitmap;
    }

    // The first pixel where the fixture's bitmap differs from `expected`, as text; empty when none.
    std::string FirstDifference(const TBitmap& expected) {
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 300; ++x)
                if (Pixel(x, y) != expected.GetPixel(x, y))
                    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
        return {};
    }
};

class HtmlDisplayCases : public HtmlDisplay, public ::testing::WithParamInterface<MarkupCase> {};

TEST_P(HtmlDisplayCases, DrawsThePiecesInTheirFonts) {
    const MarkupCase& c = GetParam();
    SCOPED_TRACE(c.What);
    const TFont font = Canvas().Font;
    Display.IsCurrent = Display.Selected = c.Current;
    Canvas().Font.Color = c.TextColor;
    if (c.PaintedBefore) {
        Paint(QString::fromUtf16(c.PaintedBefore));
        Clear(clWhite);
    }
    Paint(QString::fromUtf16(c.Markup));
    const TBitmap expected = Draw(c.Expected, font);
    EXPECT_FALSE(All({0, 0, 300, 60}, clWhite));
    EXPECT_EQ(FirstDifference(expected), "");
}

const MarkupCase Cases[] = {
    {"plain text is one run", u"Plain text", {{u"Plain text"}}},
    {"tags in any case",
     u"<B>bo</B>ld <i>it</I><U>un</u>",
     {{u"bo", {fsBold}}, {u"ld "}, {u"it", {fsItalic}}, {u"un", {fsUnderline}}}},
    {"nested tags", u"<b>a<b>b</b>c</b>d", {{u"a", {fsBold}}, {u"b", {fsBold}}, {u"c", {fsBold}}, {u"d"}}},
    {"unknown tags are skipped", u"<q>x</q><font>y", {{u"x"}, {u"y"}}},
    {"line break", u"ab<br>c", {{u"ab"}, {u"c", {}, Plain, 13, true}}},
    {"leading break below the empty run's height", u"<br>c", {{u""}, {u"c", {}, Plain, 13, true}}},
    {"line height of the tallest run",
     u"a<font size=20>B</font><br>c",
     {{u"a"}, {u"B", {}, Plain, 27}, {u"c", {}, Plain, 27, true}}},
    {"link look", u"<a href=\"x\">link</a> after", {{u"link", {fsUnderline}, Blue}, {u" after"}}},
    {"colours by name, hexadecimal and short form",
     u"<font color=RED>r<font color=\"#0000ff\">b<font color=#F00>g",
     {{u"r", {}, Red}, {u"b", {}, Blue}, {u"g", {}, ShortF00}}},
    {"a colour that does not convert changes nothing", u"<font color=lightgray>x", {{u"x"}}},
    {"a later font tag sets the remembered colour again",
     u"<font color=red>r</font><a>l</a><font>y",
     {{u"r", {}, Red}, {u"l", {fsUnderline}, Blue}, {u"y", {}, Red}}},
    {"size in points; a size that is not an integer is ignored",
     u"<font size=1.5>a<font size=x>b<font size=20>c",
     {{u"a"}, {u"b"}, {u"c", {}, Plain, 27}}},
    {"the current cell draws every colour highlighted",
     u"<font color=red>r<a>l</a>p",
     {{u"r", {}, Highlighted}, {u"l", {fsUnderline}, Highlighted}, {u"p", {}, Highlighted}},
     true,
     Highlighted},
    {"the current cell of an unfocused grid keeps the colours",
     u"<font color=red>r<a>l</a>p",
     {{u"r", {}, Red}, {u"l", {fsUnderline}, Blue}, {u"p"}},
     true},
    // An attribute applies the tag at the blank and again at ">", yet the tag counts once.
    {"one end tag undoes a start tag with attributes", u"<b x=1>bo</b>ld", {{u"bo", {fsBold}}, {u"ld"}}},
    {"a stray end tag does not hold back the next start tag", u"</b><b>x", {{u"x", {fsBold}}}},
    {"an unclosed tag does not reach the next cell",
     u"<b>x</b>y",
     {{u"x", {fsBold}}, {u"y"}},
     false,
     Plain,
     u"<b><i>unclosed"},
};

INSTANTIATE_TEST_SUITE_P(Markup, HtmlDisplayCases, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<MarkupCase>& info) {
                             return "Case" + std::to_string(info.index);
                         });

// Runs are not wrapped or cut by the cell; only the canvas's clip cuts them.
TEST_F(HtmlDisplay, NothingWrapsAndOnlyTheClipCuts) {
    Display.CellRect = {10, 5, 40, 55};
    Paint("WWWWWWWWWW<b>W</b><br>x");
    EXPECT_TRUE(Contains({40, 5, 300, 20}, Plain));
    EXPECT_TRUE(Contains({12, 19, 20, 34}, Plain));

    Clear(clWhite);
    Canvas().SetClipRect(Display.CellRect);
    Paint("WWWWWWWWWW<b>W</b><br>x");
    Canvas().ResetClip();
    EXPECT_TRUE(All({40, 0, 300, 60}, clWhite));
    EXPECT_TRUE(Contains({12, 19, 20, 34}, Plain));
}

// A display keeps what it laid out for the next paint of the same text; a paint after the
// font, colours, selection, place or clip changed shows what a display painting it first shows.
TEST_F(HtmlDisplay, RepaintsAfterAChangeAsAFreshDisplay) {
    using TChange = std::function<void(TColumnDisplay&, TCanvas&)>;
    const QString markup = "a<b>bold</b> <font color=red>WWWWWWWW</font><br><i>second</i> line";
    const TRect shallow{10, 5, 290, 18};
    const struct {
        const char* What;
        TChange Change;
        bool ShallowFirst = false; // the first paint's clip shows only the first line
    } changes[] = {
        {"font colour", [](TColumnDisplay&, TCanvas& c) { c.Font.Color = Blue; }},
        {"font height", [](TColumnDisplay&, TCanvas& c) { c.Font.Height = 20; }},
        {"font style", [](TColumnDisplay&, TCanvas& c) { c.Font.Style = {fsItalic}; }},
        {"current cell",
         [](TColumnDisplay& d, TCanvas& c) {
             d.Selected = true;
             c.Font.Color = Highlighted;
         }},
        {"moved cell", [](TColumnDisplay& d, TCanvas&) { d.CellRect = {20, 25, 300, 60}; }},
        {"narrower clip", [](TColumnDisplay&, TCanvas& c) { c.SetClipRect({10, 5, 60, 55}); }},
        {"clip opened below the first line", [](TColumnDisplay&, TCanvas&) {}, true},
    };
    auto pixels = [this] {
        std::vector<TColor> all;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 300; ++x) all.push_back(Pixel(x, y));
        return all;
    };
    const TFont start = Canvas().Font;
    for (const auto& change : changes) {
        SCOPED_TRACE(change.What);
        TRecordingDisplay<THtmlColumnDisplay> cached(Column), fresh(Column);
        for (TColumnDisplay* d : {&cached, &fresh}) {
            d->Canvas = &Canvas();
            d->CellRect = Cell;
            d->HighlightedTextColor = Highlighted;
            d->TextValue = markup;
        }
        auto paint = [&](TColumnDisplay& d, const TChange& before) {
            Canvas().ResetClip();
            Clear(clWhite);
            Canvas().Font = start;
            before(d, Canvas());
            d.Paint();
            Canvas().ResetClip();
            return pixels();
        };
        paint(cached, [&](TColumnDisplay&, TCanvas& c) {
            if (change.ShallowFirst) c.SetClipRect(shallow);
        });
        const std::vector<TColor> expected = paint(fresh, change.Change);
        EXPECT_TRUE(paint(cached, change.Change) == expected);
    }
}

// Whatever the text, the paint returns normally and leaves the canvas font and brush as it
// found them for the next cell.
TEST_F(HtmlDisplay, HostileTextsLeaveTheCanvasAsItWas) {
    auto repeat = [](const QString& s, int n) { return s.repeated(n); };
    const QString texts[] = {
        "<",
        ">",
        "<>",
        "</>",
        "<<<<",
        ">>>>",
        "<b",
        "a<b c",
        "a<b c=",
        "<b c=d e=f g",
        "=\"/>",
        "<font color>x",
        "<font color=>x",
        "<font color=\"\">x",
        "<font color=#FFFFFFFFF>x",
        "<font name=>x",
        "<font name=\"\u65e5\u672c\">x",
        "<font size>x",
        "<font size=>x",
        "<font size=-5>x",
        "<font size=0>x",
        "<font size=2147483648>x",
        "<font size=99999>x",
        "<font size=1000>W",
        "<font size=\"12\">x",
        "<font color=red size=20 name=Serif>x</font>",
        "</font></b></i></u></a></br>x",
        repeat("<b>", 100000) + "x" + repeat("</b>", 100000),
        repeat("<font color=red>", 100000) + "x",
        repeat("<br>", 100000) + "x",
        repeat("x<", 50000),
        repeat("<i", 100000),
        repeat("W", 20000),
        QString::fromUtf16(u"\U0001F600<b>\U0001F600</b>\u05E9\u05DC\u05D5\u05DD<i>e\u0301</i>"),
        QString::fromUtf16(u"\xD800<b>\xDC00</b>\xDFFF<\xD83D>"),
        QString::fromUtf16(u"\0<b>\0</b>\0", 10),
        QString::fromUtf16(u"<\u0130>\u212A<font color=\uFF52ed>x"),
    };
    TFont font;
    font.Height = 15;
    font.Color = Plain;
    font.Style = {fsStrikeOut};
    for (const QString& text : texts) {
        Canvas().Font = font;
        Canvas().Brush.Style = bsSolid;
        EXPECT_NO_THROW(Paint(text)) << text.left(40).toStdString();
        EXPECT_EQ(Canvas().Font, font) << text.left(40).toStdString();
        EXPECT_EQ(Canvas().Brush.Style, bsSolid) << text.left(40).toStdString();
    }
}

} // namespace
} // namespace tolvane::testing
