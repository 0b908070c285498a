#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include <QImage>

#include "grid/host/Canvas.h"
#include "grid/host/SystemColors.h"

using namespace tolvane;

namespace {

// A white bitmap with its canvas.
struct Surface {
    explicit Surface(int w = 20, int h = 20) : bitmap(w, h) {
        Canvas().Brush.Color = clWhite;
        Canvas().FillRect(Rect(0, 0, w, h));
    }
    TCanvas& Canvas() { return bitmap.Canvas(); }
    TColor At(int x, int y) { return bitmap.GetPixel(x, y); }
    int Count(TColor c) {
        int n = 0;
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x) n += At(x, y) == c;
        return n;
    }
    TBitmap bitmap;
};

} // namespace

TEST(Canvas, FillRectExcludesRightAndBottom) {
    Surface s;
    s.Canvas().Brush.Color = clRed;
    s.Canvas().FillRect(Rect(2, 3, 5, 7));
    EXPECT_EQ(s.Count(clRed), 3 * 4);
    EXPECT_EQ(s.At(2, 3), clRed);
    EXPECT_EQ(s.At(4, 6), clRed);
    EXPECT_EQ(s.At(5, 6), clWhite);
    EXPECT_EQ(s.At(4, 7), clWhite);
}

TEST(Canvas, FillRectWithClearBrushPaintsNothing) {
    Surface s;
    s.Canvas().Brush.Color = clRed;
    s.Canvas().Brush.Style = bsClear;
    s.Canvas().FillRect(Rect(0, 0, 5, 5));
    EXPECT_EQ(s.Count(clRed), 0);
}

TEST(Canvas, FrameRectIsOnePixelInsideTheRectangle) {
    Surface s;
    s.Canvas().Brush.Color = clBlue;
    s.Canvas().FrameRect(Rect(1, 1, 6, 5));
    EXPECT_EQ(s.Count(clBlue), 2 * 5 + 2 * 2);
    EXPECT_EQ(s.At(5, 4), clBlue);
    EXPECT_EQ(s.At(6, 4), clWhite);
    EXPECT_EQ(s.At(2, 2), clWhite);
}

TEST(Canvas, SystemColoursAreResolvedWhenDrawn) {
    Surface s;
    s.Canvas().Brush.Color = clHighlight;
    s.Canvas().FillRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(s.At(0, 0), ColorToRGB(clHighlight));
    EXPECT_EQ(ColorToRGB(clHighlight), 0x800000u);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
}

TEST(Canvas, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    Surface s;
    s.Canvas().Pen.Color = clBlack;
    s.Canvas().Brush.Color = clRed;
    s.Canvas().Rectangle(Rect(0, 0, 5, 4));
    EXPECT_EQ(s.Count(clBlack), 2 * 5 + 2 * 2);
    EXPECT_EQ(s.Count(clRed), 3 * 2);
    EXPECT_EQ(s.At(4, 3), clBlack);
    EXPECT_EQ(s.At(5, 3), clWhite);
}

struct LineCase {
    TPoint from, to;
    int pixels;
};

class CanvasLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(CanvasLine, LineToLeavesOutTheEndPoint) {
    const LineCase c = GetParam();
    Surface s;
    s.Canvas().Pen.Color = clBlack;
    s.Canvas().MoveTo(c.from.X, c.from.Y);
    s.Canvas().LineTo(c.to.X, c.to.Y);
    EXPECT_EQ(s.Count(clBlack), c.pixels);
    EXPECT_EQ(s.At(c.from.X, c.from.Y), clBlack);
    EXPECT_EQ(s.At(c.to.X, c.to.Y), clWhite);
    EXPECT_EQ(s.Canvas().PenPos(), c.to);
}

INSTANTIATE_TEST_SUITE_P(Directions, CanvasLine,
                         ::testing::Values(LineCase{{2, 5}, {10, 5}, 8}, LineCase{{10, 5}, {2, 5}, 8},
                                           LineCase{{4, 1}, {4, 9}, 8}, LineCase{{4, 9}, {4, 1}, 8},
                                           LineCase{{1, 1}, {6, 6}, 5}, LineCase{{6, 1}, {1, 11}, 10}));

TEST(Canvas, PolylineLeavesOutOnlyItsLastPoint) {
    Surface s;
    s.Canvas().Pen.Color = clBlack;
    s.Canvas().Polyline({{1, 1}, {5, 1}, {5, 5}});
    EXPECT_EQ(s.Count(clBlack), 8);
    EXPECT_EQ(s.At(5, 1), clBlack);
    EXPECT_EQ(s.At(5, 5), clWhite);
}

TEST(Canvas, NotModeInvertsAndUndoesItself) {
    Surface s;
    s.Canvas().Brush.Color = clRed;
    s.Canvas().FillRect(Rect(0, 0, 20, 10));
    s.Canvas().Pen.Mode = pmNot;
    s.Canvas().Pen.Color = clGreen; // ignored in not mode
    s.Canvas().MoveTo(3, 0);
    s.Canvas().LineTo(3, 20);
    EXPECT_EQ(s.At(3, 5), 0xFFFF00u); // inverted red
    EXPECT_EQ(s.At(3, 15), clBlack);  // inverted white
    EXPECT_EQ(s.At(4, 5), clRed);
    s.Canvas().MoveTo(3, 0);
    s.Canvas().LineTo(3, 20);
    EXPECT_EQ(s.At(3, 5), clRed);
    EXPECT_EQ(s.At(3, 15), clWhite);
}

TEST(Canvas, CopyRectWithDestinationInvert) {
    Surface s;
    Surface other;
    s.Canvas().CopyMode = cmDstInvert;
    s.Canvas().CopyRect(Rect(2, 2, 4, 5), other.Canvas(), Rect(0, 0, 2, 3));
    EXPECT_EQ(s.Count(clBlack), 6);
    EXPECT_EQ(s.At(3, 4), clBlack);
    EXPECT_EQ(s.At(4, 4), clWhite);
}

TEST(Canvas, CopyRectCopiesPixelsFromAnotherCanvasAndFromItself) {
    Surface s, other;
    other.Canvas().Brush.Color = clBlue;
    other.Canvas().FillRect(Rect(0, 0, 2, 2));
    s.Canvas().CopyRect(Rect(5, 5, 7, 7), other.Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(s.Count(clBlue), 4);
    EXPECT_EQ(s.At(6, 6), clBlue);
    s.Canvas().CopyRect(Rect(0, 0, 3, 3), s.Canvas(), Rect(5, 5, 8, 8));
    EXPECT_EQ(s.At(0, 0), clBlue);
    EXPECT_EQ(s.At(2, 2), clWhite);
}

TEST(Canvas, FocusRectIsDottedAndSelfInverting) {
    Surface s;
    s.Canvas().DrawFocusRect(Rect(2, 2, 12, 8));
    const int dark = s.Count(clBlack);
    EXPECT_GT(dark, 8);
    EXPECT_LT(dark, 2 * 10 + 2 * 4); // dotted, not solid
    EXPECT_EQ(s.At(5, 5), clWhite);
    s.Canvas().DrawFocusRect(Rect(2, 2, 12, 8));
    EXPECT_EQ(s.Count(clBlack), 0);
}

TEST(Canvas, PolygonFillsTheInsideWithWindingRule) {
    Surface s;
    s.Canvas().Pen.Color = clRed;
    s.Canvas().Brush.Color = clRed;
    s.Canvas().Polygon({{2, 2}, {12, 2}, {12, 12}, {2, 12}});
    EXPECT_EQ(s.At(7, 7), clRed);
    EXPECT_EQ(s.At(2, 2), clRed);
    EXPECT_EQ(s.At(14, 7), clWhite);
    // A self-overlapping star: winding fill keeps the centre filled.
    Surface star(40, 40);
    star.Canvas().Pen.Color = clBlue;
    star.Canvas().Brush.Color = clBlue;
    star.Canvas().Polygon({{20, 2}, {31, 36}, {2, 14}, {38, 14}, {9, 36}});
    EXPECT_EQ(star.At(20, 20), clBlue);
    EXPECT_EQ(star.At(2, 36), clWhite);
}

TEST(Canvas, ClipRectLimitsDrawingAndIsTheClipBox) {
    Surface s;
    s.Canvas().SetClipRect(Rect(5, 5, 10, 10));
    EXPECT_EQ(s.Canvas().GetClipBox(), Rect(5, 5, 10, 10));
    s.Canvas().Brush.Color = clRed;
    s.Canvas().FillRect(Rect(0, 0, 20, 20));
    EXPECT_EQ(s.Count(clRed), 25);
    s.Canvas().ResetClip();
    EXPECT_EQ(s.Canvas().GetClipBox(), Rect(0, 0, 20, 20));
    s.Canvas().FillRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(s.At(0, 0), clRed);
}

TEST(Canvas, ClipSurvivesFlush) {
    Surface s;
    s.Canvas().SetClipRect(Rect(0, 0, 2, 2));
    s.Canvas().Flush();
    s.Canvas().Brush.Color = clRed;
    s.Canvas().FillRect(Rect(0, 0, 20, 20));
    EXPECT_EQ(s.Count(clRed), 4);
}

TEST(Canvas, EllipsisTextStaysInsideItsRectangle) {
    Surface s(200, 20);
    s.Canvas().Brush.Style = bsClear;
    s.Canvas().Font.Color = clBlack;
    const QString text = QStringLiteral("A rather long caption that cannot fit");
    TRect r = Rect(0, 0, 60, 20);
    ASSERT_GT(s.Canvas().TextWidth(text), 60);
    s.Canvas().DrawText(text, r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    int rightmost = -1;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 200; ++x)
            if (s.At(x, y) != clWhite) rightmost = std::max(rightmost, x);
    EXPECT_GE(rightmost, 0);
    EXPECT_LT(rightmost, 60);
}

TEST(Canvas, CalcRectMeasuresWithoutDrawing) {
    Surface s(200, 50);
    const QString text = QStringLiteral("Hello");
    TRect r = Rect(10, 10, 11, 11);
    const int h = s.Canvas().DrawText(text, r, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(r.Left, 10);
    EXPECT_EQ(r.Width(), s.Canvas().TextWidth(text));
    EXPECT_EQ(r.Height(), h);
    EXPECT_EQ(h, s.Canvas().TextHeight(text));
    EXPECT_EQ(s.Count(clWhite), 200 * 50);
}

TEST(Canvas, WordBreakLowersTheRectangle) {
    Surface s(200, 200);
    const QString text = QStringLiteral("one two three four five six seven");
    TRect r = Rect(0, 0, 40, 1);
    s.Canvas().DrawText(text, r, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_GE(r.Height(), 3 * s.Canvas().TextHeight(text));
}

TEST(Canvas, NoPrefixDrawsTheAmpersand) {
    Surface s(200, 30);
    TRect a = Rect(0, 0, 1, 1), b = Rect(0, 0, 1, 1);
    s.Canvas().DrawText(QStringLiteral("A&B"), a, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    s.Canvas().DrawText(QStringLiteral("A&B"), b, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_GT(a.Width(), b.Width());
}

TEST(Canvas, SolidBrushFillsBehindTextClearBrushDoesNot) {
    Surface s(100, 30);
    s.Canvas().Brush.Color = clRed;
    s.Canvas().Font.Color = clBlack;
    s.Canvas().TextOut(0, 0, QStringLiteral("ii"));
    EXPECT_GT(s.Count(clRed), 0);
    Surface t(100, 30);
    t.Canvas().Brush.Color = clRed;
    t.Canvas().Brush.Style = bsClear;
    t.Canvas().TextOut(0, 0, QStringLiteral("ii"));
    EXPECT_EQ(t.Count(clRed), 0);
    EXPECT_GT(t.Count(clBlack), 0);
}

TEST(Canvas, RightAlignedTextEndsAtTheRightEdge) {
    Surface s(200, 20);
    s.Canvas().Brush.Style = bsClear;
    TRect r = Rect(0, 0, 150, 20);
    s.Canvas().DrawText(QStringLiteral("WWW"), r, DT_SINGLELINE | DT_RIGHT);
    int leftmost = 1000;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 200; ++x)
            if (s.At(x, y) != clWhite) leftmost = std::min(leftmost, x);
    EXPECT_GT(leftmost, 100);
}

TEST(Canvas, TextKeepsItsFontAndColourWhateverWasDrawnBefore) {
    // The canvas keeps a few fonts and gives the painter font and pen only when they change: a
    // text drawn after other fonts, colours, shapes, a flush or more fonts than it keeps must look
    // as on a fresh canvas.
    const auto drawTarget = [](TCanvas& c) {
        c.Font.Height = 13;
        c.Font.Style = TFontStyles{fsBold};
        c.Font.Color = clBlue;
        c.Brush.Style = bsClear;
        TRect r = Rect(2, 2, 118, 22);
        c.DrawText(QStringLiteral("Same text"), r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        TRect clipped = Rect(2, 24, 30, 30); // cut by its rectangle
        c.DrawText(QStringLiteral("Cut text"), clipped, DT_SINGLELINE | DT_NOPREFIX);
    };
    Surface fresh(120, 40);
    drawTarget(fresh.Canvas());
    fresh.Canvas().Flush();
    const QImage expected = fresh.bitmap.Image().copy();

    const std::vector<std::function<void(TCanvas&)>> before = {
        [](TCanvas&) {},
        [&](TCanvas& c) { drawTarget(c); },
        [](TCanvas& c) {
            for (int h = 8; h < 20; ++h) { // more fonts than the canvas keeps
                c.Font.Height = h;
                c.Font.Style = h % 2 ? TFontStyles{fsItalic} : TFontStyles{fsBold};
                c.Font.Color = clRed;
                c.TextOut(0, 0, QStringLiteral("Same text"));
            }
        },
        [](TCanvas& c) {
            c.Font.Color = clGreen;
            c.TextOut(0, 0, QStringLiteral("x"));
            c.Pen.Width = 3;
            c.Pen.Color = clRed;
            c.MoveTo(0, 0);
            c.LineTo(50, 30);
            c.Pen.Width = 1;
            c.Ellipse(Rect(0, 0, 30, 30));
            c.Flush();
        },
    };
    for (std::size_t i = 0; i < before.size(); ++i) {
        Surface s(120, 40);
        before[i](s.Canvas());
        s.Canvas().Brush.Style = bsSolid;
        s.Canvas().Brush.Color = clWhite;
        s.Canvas().FillRect(Rect(0, 0, 120, 40));
        drawTarget(s.Canvas());
        s.Canvas().Flush();
        EXPECT_EQ(s.bitmap.Image(), expected) << "case " << i;
    }
}

TEST(Canvas, TheLastClipSetIsTheOneDrawnWith) {
    Surface s(40, 40);
    TCanvas& c = s.Canvas();
    c.SetClipRect(Rect(0, 0, 40, 40));
    c.Font.Color = clBlack;
    c.Brush.Style = bsClear;
    TRect cut = Rect(0, 0, 4, 4); // a text clipped to its own rectangle inside the canvas clip
    c.DrawText(QStringLiteral("Wide"), cut, DT_SINGLELINE | DT_NOPREFIX);
    c.SetClipRect(Rect(0, 0, 1, 1));
    c.ResetClip();
    c.SetClipRect(Rect(10, 10, 20, 20));
    c.SetClipRect(Rect(30, 30, 35, 35));
    c.Brush.Style = bsSolid;
    c.Brush.Color = clRed;
    c.FillRect(Rect(0, 0, 40, 40));
    EXPECT_EQ(s.Count(clRed), 25);
    EXPECT_EQ(s.At(32, 32), clRed);
    c.ResetClip();
    c.FillRect(Rect(0, 0, 40, 40));
    EXPECT_EQ(s.Count(clRed), 40 * 40);
}

TEST(Canvas, ACanvasWithAnOriginDrawsItsPartOfTheLargerPicture) {
    // A canvas over a strip of a picture, drawn on in the picture's coordinates, holds the same
    // pixels as that part of a canvas over the whole picture.
    const TRect strips[] = {Rect(0, 0, 40, 3), Rect(0, 33, 40, 40), Rect(0, 3, 3, 33), Rect(35, 3, 40, 33)};
    const std::vector<std::function<void(TCanvas&)>> drawings = {
        [](TCanvas& c) {
            c.Brush.Color = clRed;
            c.FillRect(Rect(2, 1, 38, 39));
        },
        [](TCanvas& c) {
            c.Pen.Color = clBlue;
            c.MoveTo(0, 0);
            c.LineTo(39, 36);
            c.Brush.Color = clGreen;
            c.FrameRect(Rect(1, 1, 39, 39));
        },
        [](TCanvas& c) {
            c.SetClipRect(Rect(0, 0, 20, 36));
            c.Brush.Color = clGreen;
            c.Ellipse(Rect(-5, -5, 45, 45));
            c.ResetClip();
        },
        [](TCanvas& c) {
            c.Font.Height = 14;
            c.Font.Color = clBlack;
            c.Brush.Style = bsClear;
            c.TextOut(1, 26, QStringLiteral("Wg"));
            TRect r = Rect(4, -6, 40, 10);
            c.DrawText(QStringLiteral("Tall"), r, DT_SINGLELINE | DT_NOPREFIX);
        },
    };
    for (std::size_t i = 0; i < drawings.size(); ++i) {
        Surface whole(40, 40);
        drawings[i](whole.Canvas());
        for (const TRect& strip : strips) {
            Surface part(strip.Width(), strip.Height());
            TCanvas& c = part.Canvas();
            c.SetOrigin(TPoint{strip.Left, strip.Top});
            EXPECT_EQ(c.GetClipBox(), strip);
            drawings[i](c);
            for (int y = strip.Top; y < strip.Bottom; ++y)
                for (int x = strip.Left; x < strip.Right; ++x) {
                    ASSERT_EQ(c.GetPixel(x, y), whole.At(x, y))
                        << "drawing " << i << " at " << x << ", " << y;
                }
        }
    }
}
