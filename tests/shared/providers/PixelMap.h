#pragma once
// Pixel pictures for drawing tests: a bitmap region compared with rows of letters, one letter
// per pixel, each letter standing for a colour.

#include <map>
#include <string>
#include <vector>

#include "grid/host/Bitmap.h"
#include "grid/host/Canvas.h"

namespace tolvane::test {

// A bitmap of the given size filled with one colour.
inline TBitmap FilledBitmap(int width, int height, TColor color) {
    TBitmap bitmap(width, height);
    TCanvas& c = bitmap.Canvas();
    c.Brush.Color = color;
    c.Brush.Style = bsSolid;
    c.FillRect(TRect{0, 0, width, height});
    return bitmap;
}

// The region starting at (left, top) as letters; colours missing from the legend show as '?'.
inline std::vector<std::string> ReadMap(const TBitmap& bitmap, const std::map<char, TColor>& legend, int left,
                                        int top, int width, int height) {
    std::vector<std::string> rows;
    for (int y = top; y < top + height; ++y) {
        std::string row;
        for (int x = left; x < left + width; ++x) {
            char letter = '?';
            for (const auto& [key, color] : legend)
                if (bitmap.GetPixel(x, y) == color) letter = key;
            row += letter;
        }
        rows.push_back(row);
    }
    return rows;
}

// ReadMap sized by the expected picture, for EXPECT_EQ(expected, ReadMapLike(...)).
inline std::vector<std::string> ReadMapLike(const std::vector<std::string>& expected, const TBitmap& bitmap,
                                            const std::map<char, TColor>& legend, int left = 0, int top = 0) {
    return ReadMap(bitmap, legend, left, top, expected.empty() ? 0 : int(expected[0].size()),
                   int(expected.size()));
}

} // namespace tolvane::test
