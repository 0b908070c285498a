#pragma once
// Shared helpers of the display tests: a grid stand-in for the columns, a bitmap to paint on and
// pixel queries in resolved colours.

#include <memory>

#include <gtest/gtest.h>

#include "grid/host/Bitmap.h"
#include "grid/host/Canvas.h"
#include "grid/host/SystemColors.h"
#include "grid/model/columns/Columns.h"
#include "grid/model/columns/ColumnsOwner.h"

namespace tolvane::testing {

class TDisplayGridStub : public TColumnsOwner {
public:
    int ColumnsDataLeft() const override { return 0; }
    int ColumnsAvailableWidth() const override { return 1000; }
    int ColumnsHorzPosition() const override { return 0; }
    TRect HeaderBand() const override { return {0, 0, 1000, 20}; }
    TRect InputBand() const override { return {0, 20, 1000, 40}; }
    TRect FooterBand() const override { return {0, 200, 1000, 220}; }
    int CurrentColumnIndex() const override { return Current; }
    int PressedHeaderColumnIndex() const override { return Pressed; }
    int HotHeaderColumnIndex() const override { return Hot; }
    void InvalidateColumnPart(int, TGridArea) override {}
    bool IsReadingLayout() const override { return false; }
    const TFont& GridFont() const override { return Font; }
    int GridRightToLeft() const override { return 0; }

    int Current = -1;
    int Pressed = -1;
    int Hot = -1;
    TFont Font;
};

// A white bitmap with a grid stand-in and its column collection.
class DisplayFixture : public ::testing::Test {
protected:
    DisplayFixture() : Bitmap(300, 60), Columns(&Grid) { Clear(clWhite); }

    TCanvas& Canvas() { return Bitmap.Canvas(); }

    void Clear(TColor color) {
        Canvas().Brush.Color = color;
        Canvas().Brush.Style = bsSolid;
        Canvas().FillRect({0, 0, Bitmap.Width(), Bitmap.Height()});
    }

    TColor Pixel(int x, int y) { return Bitmap.GetPixel(x, y); }
    static TColor Rgb(TColor color) { return ColorToRGB(color); }

    // Whether any pixel of r has the colour.
    bool Contains(const TRect& r, TColor color) {
        const TColor c = Rgb(color);
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (Pixel(x, y) == c) return true;
        return false;
    }
    // Whether every pixel of r has the colour.
    bool All(const TRect& r, TColor color) {
        const TColor c = Rgb(color);
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (Pixel(x, y) != c) return false;
        return true;
    }
    // The leftmost column of r holding a pixel other than the background; -1 when none.
    int FirstInkColumn(const TRect& r, TColor background) {
        const TColor c = Rgb(background);
        for (int x = r.Left; x < r.Right; ++x)
            for (int y = r.Top; y < r.Bottom; ++y)
                if (Pixel(x, y) != c) return x;
        return -1;
    }

    TBitmap Bitmap;
    TDisplayGridStub Grid;
    TColumns Columns;
};

} // namespace tolvane::testing
