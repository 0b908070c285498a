#pragma once
// Bitmaps and image lists: pixel data that columns own and canvases draw.

#include <cstdint>
#include <functional>
#include <memory>

#include <QString>

#include "grid/base/Types.h"

class QImage;

namespace tolvane {

class TCanvas;

enum TPixelFormat { pf24bit, pf32bit };

// A device-independent bitmap of 32-bit pixels. Pixels are stored as bytes blue, green, red,
// alpha (the layout of a 32-bit bitmap row); GetPixel/SetPixel speak TColor (0x00BBGGRR).
// pf24bit bitmaps ignore the alpha byte when drawn; pf32bit bitmaps carry per-pixel alpha, which
// is kept in the pixels but not blended by TCanvas::Draw (callers composite themselves).
// New pixels are opaque white (pf24bit) or fully transparent black (pf32bit).
// Setters fire OnChange only when they change something, so a handler may set properties of the
// bitmap it watches. Drawing through Canvas() does not fire OnChange; call Changed() for that.
class TBitmap {
public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = pf24bit);
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);
    ~TBitmap();

    int Width() const;
    int Height() const;
    bool Empty() const;                  // no pixels
    void SetSize(int width, int height); // keeps nothing of the old content; fires OnChange
    TPixelFormat PixelFormat() const;
    void SetPixelFormat(TPixelFormat format); // fires OnChange

    bool Transparent() const;
    void SetTransparent(bool value);        // fires OnChange
    TColor TransparentColor() const;        // clNone (the default) means the bottom-left pixel's colour
    void SetTransparentColor(TColor color); // fires OnChange

    TColor GetPixel(int x, int y) const;       // out of range: clNone
    void SetPixel(int x, int y, TColor color); // out of range: ignored; fires OnChange
    std::uint32_t* ScanLine(int y);            // bytes B, G, R, A per pixel; throws EListError out of range
    const std::uint32_t* ScanLine(int y) const;

    void Assign(const TBitmap& other); // copies pixels, format and transparency; fires OnChange
    bool LoadFromFile(const QString& fileName);

    // A canvas drawing into this bitmap (valid as long as the bitmap).
    TCanvas& Canvas();

    std::function<void()> OnChange;

    // Platform layer only.
    QImage& Image();
    const QImage& Image() const;
    void Changed();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Images of one size addressed by index.
class TImageList {
public:
    TImageList(int width = 16, int height = 16);
    ~TImageList();
    int Width() const;
    int Height() const;
    int Count() const;
    int Add(const TBitmap& image); // answers the new index
    void Clear();
    // Draws image `index` with its top-left at (x, y); an index out of range draws nothing.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace tolvane
