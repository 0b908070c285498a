#pragma once
// The canvas of the platform layer.
// The rest of the grid draws only through these classes; Qt's painting types stay behind them.
//
// Semantics follow the classic desktop canvas the grid was designed for:
//  - rectangles exclude their right and bottom edges (FillRect(0,0,2,2) paints 4 pixels);
//  - lines exclude their end point (LineTo), polylines exclude their last point;
//  - Rectangle outlines with the pen and fills the inside with the brush;
//  - FrameRect draws a one-pixel frame in the brush colour;
//  - pen mode pmNot inverts the destination instead of drawing the pen colour;
//  - copy mode cmDstInvert makes CopyRect invert the destination rectangle;
//  - colours may be system-colour references; they are resolved when drawn.

#include <functional>
#include <memory>
#include <vector>

#include <QString>
#include <QStringList>

#include "grid/host/Bitmap.h"
#include "grid/host/SystemColors.h"
#include "grid/base/Font.h"
#include "grid/base/Types.h"

class QImage;
class QPainter;

namespace tolvane {

enum TBrushStyle { bsSolid, bsClear };
enum TPenMode { pmCopy, pmNot };
enum TCopyMode { cmSrcCopy, cmDstInvert };

// Flags of TCanvas::DrawText (the classic DT_ values).
enum : unsigned {
    DT_LEFT = 0x0,
    DT_TOP = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40,
    DT_NOCLIP = 0x100,
    DT_EXTERNALLEADING = 0x200,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_END_ELLIPSIS = 0x8000,
    DT_RTLREADING = 0x20000,
};

// The part of a text that DrawText with these DT_ flags can show (ShownText): the start of an
// elided or left-aligned text, the end of a right-aligned one, the middle of a centred one.
QString ShownTextFor(const QString& text, unsigned flags);

// How every canvas renders text. trNative draws it as the platform's own widgets do: antialiased,
// with kerning and the glyph positions Qt lays out (the default). trPlain draws hard-edged pixels
// without kerning, the same on every machine (pixel tests use it). A change applies to the next
// text drawn or measured.
enum TTextRendering { trNative, trPlain };
void SetTextRendering(TTextRendering rendering);
TTextRendering TextRendering();

class TCanvas {
public:
    // A canvas over an image that someone else owns (a bitmap, a control's surface).
    explicit TCanvas(QImage* target);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Font, brush, pen and copy mode; plain state read when drawing.
    TFont Font;
    struct {
        TColor Color = clWhite;
        TBrushStyle Style = bsSolid;
    } Brush;
    struct {
        TColor Color = clBlack;
        TPenMode Mode = pmCopy;
        int Width = 1;
    } Pen;
    TCopyMode CopyMode = cmSrcCopy;

    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void Rectangle(const TRect& r);
    void Ellipse(const TRect& r);
    void Polygon(const std::vector<TPoint>& points); // winding fill with the brush, outline with the pen
    void Polyline(const std::vector<TPoint>& points);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    TPoint PenPos() const;
    TColor GetPixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // Texts longer than a screen can show are measured and drawn only as far as they can be
    // seen (ShownText): a 50 MB text costs what a few thousand characters do.
    int TextWidth(const QString& text);
    // The widest of many texts, measured without keeping their layouts (a long list measured once
    // would push out the layouts of what is painted).
    int WidestTextWidth(const QStringList& texts);
    int TextHeight(const QString& text);
    void TextOut(int x, int y, const QString& text);
    // Text is drawn in Font.Color. As on the classic canvas, a solid brush fills the text's own
    // extent behind it first; set Brush.Style to bsClear to draw text over what is there.
    // Draws text in r by the DT_ flags and answers the text height. With DT_CALCRECT nothing is
    // drawn and r becomes the space the text needs (with DT_WORDBREAK: lines broken at r's width). Without
    // DT_NOPREFIX an ampersand underlines the next character ("&&" draws one ampersand).
    int DrawText(const QString& text, TRect& r, unsigned flags);

    void DrawFocusRect(const TRect& r); // dotted, inverting: drawing it twice restores the pixels
    // Copies source rectangle `src` of `source` into `dest` of this canvas by CopyMode.
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& src);
    void Draw(int x, int y, const TBitmap& bitmap);             // honours Transparent
    void StretchDraw(const TRect& dest, const TBitmap& bitmap); // honours Transparent

    // Clipping: one rectangle (in canvas coordinates) or none.
    void SetClipRect(const TRect& r);
    void ResetClip();
    TRect GetClipBox() const; // the clip rectangle, or the whole surface when there is none

    int Width() const; // size of the surface
    int Height() const;
    // Where the surface's top-left corner lies in the coordinates drawn with (0, 0 by default):
    // a canvas over one strip of a larger picture draws in the picture's coordinates.
    void SetOrigin(TPoint origin);

    // Platform layer only: the painter, begun on first use and kept until Flush.
    QPainter& Painter();
    QImage* Target() const;
    // Ends the painter so that the pixels can be read or the target replaced.
    void Flush();
    // Called by the owner when its image is replaced (a control resized).
    void Retarget(QImage* target);

private:
    int DrawLine(const QString& text, const TRect& r, unsigned flags); // one plain line, laid out once
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace tolvane
