// The grid on a high-density screen: one-pixel lines as whole device pixels, text drawn at
// device resolution, and scrolling that leaves the same pixels as a full repaint.
#include <gtest/gtest.h>

#include <QImage>

#include "GridTestSupport.h"
#include "grid/host/DeviceImage.h"
#include "grid/model/columns/classes/HtmlColumn.h"
#include "support/PixelRatio.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

struct DenseGrid : GridHarness {
    DenseGrid() {
        grid->SetOptions({goGrid, goIndicator});
        AddColumn(80);
        AddColumn(80);
    }
    qreal Ratio() const { return grid->PixelRatio(); }
    // Device rows (or columns) of the run of `color` through logical pixel (x, y).
    std::pair<int, int> Run(int x, int y, TColor color, bool vertical) {
        grid->PaintNow();
        const qreal r = Ratio();
        int dx = DeviceCoordinate(x, r), dy = DeviceCoordinate(y, r);
        const auto at = [&](int i) {
            return vertical ? grid->SurfaceDevicePixel(dx, i) : grid->SurfaceDevicePixel(i, dy);
        };
        int first = vertical ? dy : dx, last = first;
        while (at(first - 1) == Rgb(color)) --first;
        while (at(last + 1) == Rgb(color)) ++last;
        return {first, last + 1};
    }
};

} // namespace

TEST(GridHighDensity, OnePixelGridLinesCoverWholeDevicePixels) {
    DenseGrid h;
    h.AddRows({"", "", ""});
    const qreal ratio = h.Ratio();
    REQUIRE_PIXEL_RATIO(ratio, true);
    // The horizontal line under row 0 (y = 16) and the vertical one right of column 0 (x = 91).
    ASSERT_EQ(h.Pixel(50, 16), Rgb(clBtnFace));
    ASSERT_EQ(h.Pixel(91, 8), Rgb(clBtnFace));
    ASSERT_EQ(h.Pixel(50, 8), Rgb(clWindow));
    const auto rows = h.Run(50, 16, clBtnFace, true);
    const auto cols = h.Run(91, 8, clBtnFace, false);
    if (WholeRatio(ratio)) {
        const int k = int(ratio);
        EXPECT_EQ(rows, std::make_pair(16 * k, 17 * k));
        EXPECT_EQ(cols, std::make_pair(91 * k, 92 * k));
    } else {
        // Between floor and ceiling of the ratio, and never a blend.
        for (auto run : {rows, cols}) {
            EXPECT_GE(run.second - run.first, int(ratio));
            EXPECT_LE(run.second - run.first, int(ratio) + 1);
        }
    }
}

TEST(GridHighDensity, TextIsDrawnAtDeviceResolutionWithSharpStems) {
    DenseGrid h;
    h.AddRows({"HIlHIlHIl"});
    const qreal ratio = h.Ratio();
    REQUIRE_PIXEL_RATIO(ratio, true);
    h.grid->PaintNow();
    const QImage& s = h.grid->Surface();
    const TRect cell = h.grid->GetCellRect(0, 0);
    const int left = int(cell.Left * ratio), right = int((cell.Right - 1) * ratio);
    const int top = int(cell.Top * ratio), bottom = int((cell.Bottom - 1) * ratio);
    const TColor back = Rgb(clWindow), ink = Rgb(clWindowText);
    int inked = 0, widestBlend = 0, unevenBlocks = 0;
    for (int y = top; y < bottom; ++y) {
        int blend = 0;
        for (int x = left; x < right; ++x) {
            const TColor c = DevicePixel(s, x, y);
            inked += c == ink;
            blend = (c != ink && c != back) ? blend + 1 : 0;
            widestBlend = std::max(widestBlend, blend);
        }
    }
    // An upscaled image would show the text as uniform logical-pixel blocks.
    const int k = std::max(2, int(ratio));
    for (int y = top; y + k <= bottom; y += k)
        for (int x = left; x + k <= right; x += k) {
            const TColor c = DevicePixel(s, x, y);
            bool uniform = true;
            for (int j = 0; j < k; ++j)
                for (int i = 0; i < k; ++i) uniform = uniform && DevicePixel(s, x + i, y + j) == c;
            unevenBlocks += !uniform;
        }
    EXPECT_GT(inked, 0);
    EXPECT_LE(widestBlend, 1); // stems end in at most one device pixel of grey
    if (WholeRatio(ratio)) {
        EXPECT_GT(unevenBlocks, 0);
    }
}

TEST(GridHighDensity, ScrolledGridEqualsAFullRepaint) {
    GridHarness h;
    h.grid->SetOptions({goHeader, goGrid, goIndicator, goFooter});
    for (int i = 0; i < 5; ++i) h.AddColumn(70 + 3 * i).Header().SetCaption(QString("Col %1").arg(i));
    QStringList rows;
    for (int i = 0; i < 40; ++i) rows << QString("Row %1 text").arg(i);
    h.AddRows(rows);
    h.AddRows(rows, 3);
    REQUIRE_PIXEL_RATIO(h.grid->PixelRatio(), false);
    h.grid->PaintNow();
    const std::pair<TScrollBarKind, int> steps[] = {
        {sbVertical, SB_LINEDOWN},    {sbVertical, SB_LINEDOWN},    {sbVertical, SB_PAGEDOWN},
        {sbHorizontal, SB_LINERIGHT}, {sbHorizontal, SB_PAGERIGHT}, {sbVertical, SB_LINEUP},
        {sbHorizontal, SB_LINELEFT},
    };
    for (auto [kind, code] : steps) {
        SCOPED_TRACE(std::to_string(kind) + " " + std::to_string(code));
        const int before = h.grid->GetScrollPos(kind);
        h.grid->SendScroll(kind, code);
        EXPECT_NE(h.grid->GetScrollPos(kind), before);
        h.grid->PaintNow();
        const QImage scrolled = h.grid->Surface().copy();
        h.grid->Invalidate();
        h.grid->PaintNow();
        EXPECT_TRUE(scrolled == h.grid->Surface());
    }
}

TEST(GridHighDensity, MarkupUnderlinesShowUnderTheirText) {
    const struct {
        const char* markup;
        const char* text;
    } cases[] = {{"<u>Underlined words</u>", "Underlined words"}, {"<a>Linked words</a>", "Linked words"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.markup);
        GridHarness h;
        h.grid->SetOptions({}); // no grid lines: the one long run is the underline
        auto& column = h.grid->Columns().Add<THtmlColumn>();
        column.SetColor(clWindow);
        column.SetWidth(200);
        h.grid->AddRows(2); // row 1: away from the current row's highlight
        h.grid->SetCellText(0, 1, c.markup);
        const qreal ratio = h.grid->PixelRatio();
        REQUIRE_PIXEL_RATIO(ratio, false);
        h.grid->Canvas().Font = column.Font();
        const int textWidth = int(h.grid->Canvas().TextWidth(c.text) * ratio);
        h.grid->PaintNow();
        const QImage& s = h.grid->Surface();
        const TRect cell = h.grid->GetCellRect(0, 1);
        const TColor back = Rgb(clWindow);
        // The underline is the one run of ink in a device row about as long as the text.
        int longest = 0;
        for (int y = DeviceCoordinate(cell.Top, ratio); y < DeviceCoordinate(cell.Bottom, ratio); ++y) {
            int run = 0;
            for (int x = DeviceCoordinate(cell.Left, ratio); x < DeviceCoordinate(cell.Right, ratio); ++x) {
                run = DevicePixel(s, x, y) != back ? run + 1 : 0;
                longest = std::max(longest, run);
            }
        }
        EXPECT_GE(longest, textWidth * 9 / 10);
        EXPECT_LE(longest, textWidth + int(2 * ratio));
    }
}
