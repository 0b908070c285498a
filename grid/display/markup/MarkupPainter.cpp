#include "grid/display/markup/MarkupPainter.h"

#include <algorithm>

#include "grid/base/Conversions.h"
#include "grid/base/Errors.h"
#include "grid/host/Canvas.h"
#include "grid/shared/ColorNames.h"

namespace tolvane {

namespace {

constexpr TColor LinkColor = clBlue;
// Sizes are in points; the canvas measures fonts in pixels of a 96-dpi screen.
constexpr int PixelsPerInch = 96;
constexpr int PointsPerInch = 72;
// Sizes beyond this are taken for mistakes rather than asked of the font system.
constexpr int LargestFontSize = 1000;

// Puts back the canvas font and brush style however the paint ends.
class TCanvasStateKeeper {
public:
    explicit TCanvasStateKeeper(TCanvas& canvas)
        : canvas_(canvas), font_(canvas.Font), brushStyle_(canvas.Brush.Style) {}
    ~TCanvasStateKeeper() {
        canvas_.Font = font_;
        canvas_.Brush.Style = brushStyle_;
    }
    TCanvasStateKeeper(const TCanvasStateKeeper&) = delete;
    TCanvasStateKeeper& operator=(const TCanvasStateKeeper&) = delete;

private:
    TCanvas& canvas_;
    const TFont font_;
    const TBrushStyle brushStyle_;
};

// A "size" value as a font height in pixels; false for a value that is not a whole number of
// points in 1..LargestFontSize, which is ignored.
bool FontHeightOf(QStringView size, int& height) {
    int points = 0;
    try {
        points = StrToInt(size.toString());
    } catch (const EConvertError&) {
        return false;
    }
    if (points < 1 || points > LargestFontSize) return false;
    height = (points * PixelsPerInch + PointsPerInch / 2) / PointsPerInch;
    return true;
}

} // namespace

void TMarkupPainter::Paint(QStringView text) {
    TCanvasStateKeeper keeper(canvas_);
    canvas_.Brush.Style = bsClear;
    plainColor_ = canvas_.Font.Color;
    clip_ = canvas_.GetClipBox();
    x_ = origin_.X;
    y_ = origin_.Y;
    lineHeight_ = 0;
    nesting_.Reset();

    TMarkupTokenizer tokenizer(text);
    TMarkupToken token;
    // Lines only go down: once below the clip nothing more can show.
    while (y_ < clip_.Bottom && tokenizer.Next(token)) {
        if (token.Kind == tkRun)
            DrawRun(token.Text);
        else
            ApplyTag(token);
    }
}

void TMarkupPainter::DrawRun(QStringView run) {
    const QString text = run.toString();
    lineHeight_ = std::max(lineHeight_, canvas_.TextHeight(text));
    // Past the right edge nothing shows until the next line, so x need not grow any further.
    if (text.isEmpty() || x_ >= clip_.Right) return;
    canvas_.TextOut(x_, y_, text);
    // TextOut leaves the pen at the end of the text: its width without measuring it again.
    const long long width = std::max(0LL, (long long)canvas_.PenPos().X - x_);
    x_ = int(std::min<long long>(x_ + width, clip_.Right));
}

void TMarkupPainter::ApplyTag(const TMarkupToken& tag) {
    if (tag.Tag == mtFont) ApplyFontAttribute(tag.Attribute, tag.Value);
    if (!tag.Final) return;
    nesting_.Count(tag);
    const bool on = nesting_.IsOn(tag.Tag);
    switch (tag.Tag) {
    case mtLink:
        SetStyle(fsUnderline, on);
        if (on)
            SetMarkupColor(LinkColor);
        else
            canvas_.Font.Color = plainColor_;
        break;
    case mtBold:
        SetStyle(fsBold, on);
        break;
    case mtItalic:
        SetStyle(fsItalic, on);
        break;
    case mtUnderline:
        SetStyle(fsUnderline, on);
        break;
    case mtBreak:
        LineBreak();
        break;
    case mtFont:
    case mtOther:
        break;
    }
}

void TMarkupPainter::ApplyFontAttribute(TMarkupAttribute attribute, QStringView value) {
    switch (attribute) {
    case maColor:
        // A colour that does not convert leaves the colour as it is.
        if (const TColor color = HtmlColorToColor(value.toString().toStdString());
            color != clNone || ColorOverride != clNone)
            SetMarkupColor(color);
        break;
    case maName:
        canvas_.Font.Name = value.toString();
        break;
    case maSize:
        if (int height = 0; FontHeightOf(value, height)) canvas_.Font.Height = height;
        break;
    case maHref:
    case maOther:
        break;
    }
}

void TMarkupPainter::SetStyle(TFontStyle style, bool on) {
    if (on)
        canvas_.Font.Style.Include(style);
    else
        canvas_.Font.Style.Exclude(style);
}

void TMarkupPainter::SetMarkupColor(TColor color) {
    canvas_.Font.Color = ColorOverride != clNone ? ColorOverride : color;
}

void TMarkupPainter::LineBreak() {
    y_ += lineHeight_;
    lineHeight_ = 0;
    x_ = origin_.X;
}

} // namespace tolvane
