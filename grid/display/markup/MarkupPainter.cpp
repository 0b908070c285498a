#include "grid/display/markup/MarkupPainter.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "grid/base/Conversions.h"
#include "grid/base/Errors.h"
#include "grid/display/markup/MarkupLayoutCache.h"
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

void TMarkupPainter::Paint(const QString& text, TMarkupLayoutCache* cache) {
    TCanvasStateKeeper keeper(canvas_);
    canvas_.Brush.Style = bsClear;
    const TRect clip = canvas_.GetClipBox();
    const int width = int(std::clamp<long long>((long long)clip.Right - origin_.X, 0, INT_MAX));
    const int depth = int(std::clamp<long long>((long long)clip.Bottom - origin_.Y, INT_MIN, INT_MAX));
    const TMarkupLayout* layout = cache ? cache->Find(text) : nullptr;
    if (!layout || !layout->Fits(canvas_.Font, ColorOverride, width, depth)) {
        layout_ = {text, canvas_.Font, ColorOverride, width, depth, false, {}};
        LayOut(text);
        layout = cache ? &cache->Store(std::move(layout_)) : &layout_;
    }
    for (const TMarkupRun& run : layout->Runs) {
        // Lines only go down: once below the clip nothing more can show.
        if (run.Y >= depth) break;
        canvas_.Font = run.Font;
        canvas_.TextOut(origin_.X + run.X, origin_.Y + run.Y, run.Text);
    }
}

void TMarkupPainter::LayOut(const QString& text) {
    plainColor_ = canvas_.Font.Color;
    x_ = 0;
    y_ = 0;
    lineHeight_ = 0;
    nesting_.Reset();
    TMarkupTokenizer tokenizer(text);
    TMarkupToken token;
    bool more = true;
    while (y_ < layout_.Depth && (more = tokenizer.Next(token))) {
        if (token.Kind == tkRun)
            AddRun(token.Text);
        else
            ApplyTag(token);
    }
    layout_.Whole = !more || !tokenizer.Next(token);
}

void TMarkupPainter::AddRun(QStringView run) {
    const QString text = run.toString();
    lineHeight_ = std::max(lineHeight_, canvas_.TextHeight(text));
    // Past the right edge nothing shows until the next line, so x need not grow any further.
    if (text.isEmpty() || x_ >= layout_.Width) return;
    const long long width = canvas_.TextWidth(text);
    layout_.Runs.push_back({canvas_.Font, text, x_, y_});
    x_ = int(std::min<long long>(x_ + std::max(0LL, width), layout_.Width));
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
    y_ = int(std::min<long long>((long long)y_ + lineHeight_, INT_MAX));
    lineHeight_ = 0;
    x_ = 0;
}

} // namespace tolvane
