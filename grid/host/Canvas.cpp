#include "grid/host/Canvas.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <optional>

#include <QApplication>
#include <QCache>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QGlyphRun>
#include <QTextLayout>
#include <QtMath>
#include <unordered_map>

#include "grid/base/ShownText.h"
#include "grid/host/DeviceImage.h"
#include "grid/host/QtConvert.h"

namespace tolvane {

namespace {
// As wide as a text line can be laid out: a single line never wraps.
constexpr qreal UnboundedLineWidth = 8388607; // the largest fixed-point width
} // namespace

struct TCanvas::Impl {
    QImage* target = nullptr;
    QPainter painter;
    // The clip asked for, and the one the painter has: a cell paint sets and lifts clips many
    // times without drawing in between, so the painter only gets the one in force at a draw.
    std::optional<TRect> clip;
    std::optional<TRect> paintedClip;
    TPoint penPos;
    TPoint origin{0, 0};

    // A Qt font built for a TFont (colour aside) and text rendering. Cells switch between a few
    // fonts (bold, italic, a header's) many times per paint: the last few built are kept.
    struct FontKey {
        QString name;
        int height = 0;
        std::uint32_t style = 0;
        TTextRendering rendering = trNative;
        friend bool operator==(const FontKey&, const FontKey&) = default;
        friend std::size_t qHash(const FontKey& k, std::size_t seed) {
            return qHashMulti(seed, k.name, k.height, k.style, int(k.rendering));
        }
    };
    struct BuiltFont {
        FontKey key;
        QFont font;
        QFontMetrics metrics{QFont()};
        int height = 0;
        qreal exactHeight = 0;
        int id = 0; // the same for every font Qt would draw alike
    };
    static constexpr int KeptFonts = 8;
    QCache<FontKey, BuiltFont> fonts{KeptFonts}; // least recently used goes first
    // The font in use, owned by `fonts`: valid until the next font is built, which replaces it.
    BuiltFont* current = nullptr;
    std::unordered_map<QString, int> fontIds; // by the Qt font's key and rendering
    // The id of the font the painter was last given, so that drawing text in the same font does
    // not hand it over again; -1 after the painter starts.
    int painterFont = -1;

    // Laid-out single-line texts, so that repainting the same cells does not lay them out again;
    // the least recently used go first.
    // A line is shaped once, by one text layout, and kept as its glyph runs: drawing them again
    // takes no shaping and no glyph lookup.
    struct LaidOutText {
        QString shown; // the text as drawn (cut with an ellipsis if it had to fit)
        QList<QGlyphRun> runs; // glyphs placed from the line's top-left corner
        int width = 0;
        qreal exactWidth = 0; // before rounding, where native text is placed
    };
    struct TextKey {
        int font = 0;
        int fitWidth = 0;
        QString text;
        friend bool operator==(const TextKey&, const TextKey&) = default;
        friend std::size_t qHash(const TextKey& k, std::size_t seed) {
            return qHash(k.text, seed ^ (std::size_t(k.font) * 0x9E3779B1u + std::size_t(k.fitWidth)));
        }
    };
    static constexpr int KeptTexts = 4096;
    QCache<TextKey, LaidOutText> texts{KeptTexts};

    bool Usable() const { return target && !target->isNull(); }
    // Drawing onto a high-density surface: a logical pixel covers more than one device pixel.
    bool Scaled() const { return Usable() && target->devicePixelRatio() != 1.0; }
    const QFont& CurrentFont(const TFont& f);
    std::unique_ptr<BuiltFont> BuildFontFor(const FontKey& key);
    const QFontMetrics& Metrics() const { return current->metrics; }
    // `text` as drawn on one line in the current font, cut with an ellipsis to `fitWidth`
    // pixels unless fitWidth is negative.
    const LaidOutText& LayOut(const QString& text, int fitWidth);
    // Font and pen for text in the current font and colour `color`, given only where they differ.
    void PrepareText(QPainter& p, TColor color);
    // Draws a laid-out line with its top-left at `at`.
    void DrawLaidOut(QPainter& p, QPointF at, const LaidOutText& line);
};

void TCanvas::Impl::DrawLaidOut(QPainter& p, QPointF at, const LaidOutText& line) {
    const QFont& f = current->font;
    // Qt places the underline and strike-out of laid-out text by device pixels and then scales
    // them again: on a high-density surface they land below the line, where clipping cuts them
    // away. Plain text drawing places them right and its glyphs are the same.
    if (Scaled() && (f.underline() || f.strikeOut() || f.overline())) {
        p.drawText(QPointF(at.x(), at.y() + QFontMetricsF(f).ascent()), line.shown);
        return;
    }
    for (const QGlyphRun& run : line.runs) p.drawGlyphRun(at, run);
}

namespace {

// Lays `text` out on one unbounded line as Qt's static text does (leading included) and answers
// its advance, trailing spaces counted.
qreal ShapeLine(QTextLayout& layout, const QString& text, const QFont& font) {
    layout.setText(text);
    layout.setFont(font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    qreal advance = 0;
    if (line.isValid()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(UnboundedLineWidth);
        line.setPosition(QPointF(0, 0));
        advance = line.horizontalAdvance();
    }
    layout.endLayout();
    return advance;
}

} // namespace

const TCanvas::Impl::LaidOutText& TCanvas::Impl::LayOut(const QString& text, int fitWidth) {
    TextKey key{current->id, fitWidth, text}; // shares the text's data, copies none
    if (const LaidOutText* found = texts.object(key)) return *found;
    // One shaping pass gives the width and the glyphs; a text too wide is cut and shaped again.
    QTextLayout layout;
    auto* entry = new LaidOutText;
    entry->shown = text;
    entry->exactWidth = ShapeLine(layout, text, current->font);
    if (fitWidth >= 0 && qRound(entry->exactWidth) > fitWidth) {
        entry->shown = Metrics().elidedText(text, Qt::ElideRight, fitWidth);
        entry->exactWidth = ShapeLine(layout, entry->shown, current->font);
    }
    entry->width = qRound(entry->exactWidth);
    // The line's own runs: the layout's would also merge runs of a font across lines.
    if (layout.lineCount() > 0) entry->runs = layout.lineAt(0).glyphRuns();
    texts.insert(std::move(key), entry); // valid until the next insert
    return *entry;
}

void TCanvas::Impl::PrepareText(QPainter& p, TColor color) {
    if (painterFont != current->id) {
        p.setFont(current->font);
        painterFont = current->id;
    }
    const QColor c = ToQColor(color);
    const QPen& pen = p.pen();
    if (pen.style() != Qt::SolidLine || pen.brush().style() != Qt::SolidPattern || pen.color() != c)
        p.setPen(c);
}

namespace {

TTextRendering& RenderingSetting() {
    static TTextRendering rendering = trNative;
    return rendering;
}

QFont BuildFont(const TFont& f, TTextRendering rendering) {
    QFont font(f.Name.isEmpty() ? QApplication::font().family() : f.Name);
    font.setPixelSize(std::max(1, f.Height));
    font.setBold(f.Style.Contains(fsBold));
    font.setItalic(f.Style.Contains(fsItalic));
    font.setUnderline(f.Style.Contains(fsUnderline));
    font.setStrikeOut(f.Style.Contains(fsStrikeOut));
    if (rendering == trPlain) {
        font.setStyleStrategy(QFont::NoAntialias);
        font.setKerning(false);
    }
    return font;
}

// The classic line algorithm; the end point is not part of the line.
template <typename Plot>
void WalkLine(TPoint a, TPoint b, Plot plot) {
    int x = a.X, y = a.Y;
    const int dx = std::abs(b.X - a.X), dy = -std::abs(b.Y - a.Y);
    const int sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1;
    int err = dx + dy;
    while (x != b.X || y != b.Y) {
        plot(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

} // namespace

void SetTextRendering(TTextRendering rendering) {
    RenderingSetting() = rendering;
}

TTextRendering TextRendering() {
    return RenderingSetting();
}

TCanvas::TCanvas(QImage* target) : d(std::make_unique<Impl>()) {
    d->target = target;
}

TCanvas::~TCanvas() {
    Flush();
}

QPainter& TCanvas::Painter() {
    QPainter& p = d->painter;
    if (!p.isActive()) {
        if (!d->Usable()) return p;
        p.begin(d->target);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, TextRendering() == trNative);
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        d->paintedClip.reset();
        d->painterFont = -1;
        if (d->origin != TPoint{0, 0}) p.translate(-d->origin.X, -d->origin.Y);
        if (d->clip) {
            p.setClipRect(ToQRect(*d->clip));
            d->paintedClip = d->clip;
        }
    } else if (d->clip != d->paintedClip) {
        if (d->clip)
            p.setClipRect(ToQRect(*d->clip));
        else
            p.setClipping(false);
        d->paintedClip = d->clip;
    }
    return p;
}

QImage* TCanvas::Target() const {
    return d->target;
}

void TCanvas::Flush() {
    if (d->painter.isActive()) d->painter.end();
}

void TCanvas::Retarget(QImage* target) {
    Flush();
    d->target = target;
}

void TCanvas::SetOrigin(TPoint origin) {
    Flush();
    d->origin = origin;
}

int TCanvas::Width() const {
    return d->Usable() ? LogicalSize(*d->target).width() : 0;
}
int TCanvas::Height() const {
    return d->Usable() ? LogicalSize(*d->target).height() : 0;
}

// ---------------------------------------------------------------------------------------------
// Rectangles and lines

namespace {

QPainter::CompositionMode ModeOf(TPenMode mode) {
    return mode == pmNot ? QPainter::RasterOp_NotDestination : QPainter::CompositionMode_SourceOver;
}

// Single pixels in `c`: one device pixel each at ratio 1 (a cosmetic pen), the whole logical
// pixel on a high-density surface.
void DrawPixels(QPainter& p, const QPolygon& pts, const QColor& c, bool scaled) {
    if (!scaled) {
        p.setPen(QPen(c, 0));
        p.drawPoints(pts);
        return;
    }
    for (const QPoint& pt : pts) p.fillRect(QRect(pt, QSize(1, 1)), c);
}

// A shape filled with `brush` and outlined with a pen `width` logical pixels wide on a
// high-density surface. The outline is drawn half a pixel in, so that a one-pixel outline covers
// the same logical pixels as the cosmetic pen at ratio 1 instead of straddling two.
template <typename Shape>
void DrawScaledOutline(QPainter& p, const QColor& penColor, int width, const QBrush& brush, Shape shape) {
    if (brush.style() != Qt::NoBrush) {
        p.setPen(Qt::NoPen);
        p.setBrush(brush);
        shape(p, false);
    }
    p.setPen(QPen(penColor, std::max(1, width), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.save();
    if (width <= 1) p.translate(0.5, 0.5);
    shape(p, true);
    p.restore();
}

QRect DeviceRect(const QRect& logical, qreal ratio) {
    if (ratio == 1.0) return logical;
    return QRectF(logical.x() * ratio, logical.y() * ratio, logical.width() * ratio, logical.height() * ratio)
        .toAlignedRect();
}

} // namespace

void TCanvas::FillRect(const TRect& r) {
    if (!d->Usable() || r.IsEmpty() || Brush.Style == bsClear) return;
    QPainter& p = Painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.fillRect(ToQRect(r), ToQColor(Brush.Color));
}

void TCanvas::FrameRect(const TRect& r) {
    if (!d->Usable() || r.IsEmpty()) return;
    QPainter& p = Painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QColor c = ToQColor(Brush.Color);
    p.fillRect(QRect(r.Left, r.Top, r.Width(), 1), c);
    p.fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), c);
    p.fillRect(QRect(r.Left, r.Top, 1, r.Height()), c);
    p.fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), c);
}

namespace {

// Fills the outline band of r, `w` pixels thick, without painting any pixel twice (so that an
// inverting pen leaves no holes at the corners).
void FillFrame(QPainter& p, const TRect& r, int w, const QColor& c) {
    w = std::min({w, (r.Width() + 1) / 2, (r.Height() + 1) / 2});
    if (w <= 0) return;
    p.fillRect(QRect(r.Left, r.Top, r.Width(), w), c);
    if (r.Height() > w)
        p.fillRect(QRect(r.Left, std::max(r.Bottom - w, r.Top + w), r.Width(), std::min(w, r.Height() - w)),
                   c);
    const int innerTop = r.Top + w, innerBottom = r.Bottom - w;
    if (innerBottom > innerTop) {
        p.fillRect(QRect(r.Left, innerTop, w, innerBottom - innerTop), c);
        if (r.Width() > w)
            p.fillRect(QRect(std::max(r.Right - w, r.Left + w), innerTop, std::min(w, r.Width() - w),
                             innerBottom - innerTop),
                       c);
    }
}

} // namespace

void TCanvas::Rectangle(const TRect& r) {
    if (!d->Usable() || r.IsEmpty()) return;
    QPainter& p = Painter();
    const int w = std::max(1, Pen.Width);
    if (Brush.Style != bsClear) {
        const TRect inner = r.Inflate(-w, -w);
        if (!inner.IsEmpty()) {
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
            p.fillRect(ToQRect(inner), ToQColor(Brush.Color));
        }
    }
    p.setCompositionMode(ModeOf(Pen.Mode));
    FillFrame(p, r, w, ToQColor(Pen.Color));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::Ellipse(const TRect& r) {
    if (!d->Usable() || r.IsEmpty()) return;
    QPainter& p = Painter();
    p.setCompositionMode(ModeOf(Pen.Mode));
    if (d->Scaled()) {
        DrawScaledOutline(p, ToQColor(Pen.Color), Pen.Width,
                          Brush.Style == bsClear ? QBrush() : QBrush(ToQColor(Brush.Color)),
                          [&](QPainter& on, bool outline) {
                              if (outline)
                                  on.drawEllipse(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
                              else
                                  on.drawEllipse(ToQRect(r));
                          });
    } else {
        QPen pen(ToQColor(Pen.Color));
        pen.setWidth(Pen.Width <= 1 ? 0 : Pen.Width);
        p.setPen(pen);
        p.setBrush(Brush.Style == bsClear ? QBrush() : QBrush(ToQColor(Brush.Color)));
        p.drawEllipse(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    if (!d->Usable() || points.size() < 2) return;
    QPolygon poly;
    poly.reserve(int(points.size()));
    for (const TPoint& pt : points) poly << QPoint(pt.X, pt.Y);
    QPainter& p = Painter();
    p.setCompositionMode(ModeOf(Pen.Mode));
    if (d->Scaled()) {
        DrawScaledOutline(p, ToQColor(Pen.Color), Pen.Width,
                          Brush.Style == bsClear ? QBrush() : QBrush(ToQColor(Brush.Color)),
                          [&](QPainter& on, bool) { on.drawPolygon(poly, Qt::WindingFill); });
    } else {
        QPen pen(ToQColor(Pen.Color));
        pen.setWidth(Pen.Width <= 1 ? 0 : Pen.Width);
        p.setPen(pen);
        p.setBrush(Brush.Style == bsClear ? QBrush() : QBrush(ToQColor(Brush.Color)));
        p.drawPolygon(poly, Qt::WindingFill);
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    // Each segment leaves out its end point, which is the next segment's start: no pixel is drawn
    // twice, so inverting polylines stay exact.
    for (std::size_t i = 1; i < points.size(); ++i) {
        d->penPos = points[i - 1];
        LineTo(points[i].X, points[i].Y);
    }
}

void TCanvas::MoveTo(int x, int y) {
    d->penPos = TPoint{x, y};
}

void TCanvas::LineTo(int x, int y) {
    const TPoint from = d->penPos, to{x, y};
    d->penPos = to;
    if (!d->Usable() || from == to) return;
    QPainter& p = Painter();
    p.setCompositionMode(ModeOf(Pen.Mode));
    const QColor c = ToQColor(Pen.Color);
    if (Pen.Width > 1) {
        QPen pen(c, Pen.Width, Qt::SolidLine, Qt::RoundCap);
        p.setPen(pen);
        p.drawLine(from.X, from.Y, to.X, to.Y);
    } else if (from.Y == to.Y) {
        const int left = from.X < to.X ? from.X : to.X + 1;
        p.fillRect(QRect(left, from.Y, std::abs(to.X - from.X), 1), c);
    } else if (from.X == to.X) {
        const int top = from.Y < to.Y ? from.Y : to.Y + 1;
        p.fillRect(QRect(from.X, top, 1, std::abs(to.Y - from.Y)), c);
    } else {
        QPolygon pts;
        WalkLine(from, to, [&](int px, int py) { pts << QPoint(px, py); });
        DrawPixels(p, pts, c, d->Scaled());
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

TPoint TCanvas::PenPos() const {
    return d->penPos;
}

TColor TCanvas::GetPixel(int x, int y) const {
    x -= d->origin.X;
    y -= d->origin.Y;
    if (!d->Usable() || x < 0 || y < 0 || x >= Width() || y >= Height()) return clNone;
    const_cast<TCanvas*>(this)->Flush();
    return LogicalPixel(*d->target, x, y);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    if (!d->Usable()) return;
    QPainter& p = Painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.fillRect(QRect(x, y, 1, 1), ToQColor(color));
}

// ---------------------------------------------------------------------------------------------
// Text

const QFont& TCanvas::Impl::CurrentFont(const TFont& f) {
    const TTextRendering now = TextRendering();
    if (current && current->key.rendering == now && f.Height == current->key.height &&
        f.Style.Bits() == current->key.style && f.Name == current->key.name)
        return current->font;
    FontKey key{f.Name, f.Height, f.Style.Bits(), now};
    BuiltFont* found = fonts.object(key);
    if (!found) {
        found = BuildFontFor(key).release();
        fonts.insert(std::move(key), found);
    }
    const bool renderingChanged = current && current->key.rendering != now;
    current = found;
    if (renderingChanged && painter.isActive())
        painter.setRenderHint(QPainter::TextAntialiasing, now == trNative);
    return current->font;
}

std::unique_ptr<TCanvas::Impl::BuiltFont> TCanvas::Impl::BuildFontFor(const FontKey& key) {
    auto built = std::make_unique<BuiltFont>();
    built->key = key;
    TFont description;
    description.Name = key.name;
    description.Height = key.height;
    description.Style = TFontStyles::FromBits(key.style);
    built->font = BuildFont(description, key.rendering);
    built->metrics = QFontMetrics(built->font);
    built->height = built->metrics.height();
    built->exactHeight = QFontMetricsF(built->font).height();
    const QString signature = built->font.key() + QChar(0x1F) + QString::number(int(key.rendering));
    built->id = fontIds.emplace(signature, int(fontIds.size())).first->second;
    return built;
}

int TCanvas::TextWidth(const QString& text) {
    d->CurrentFont(Font);
    return d->LayOut(ShownText(text), -1).width;
}

int TCanvas::WidestTextWidth(const QStringList& texts) {
    d->CurrentFont(Font);
    const QFontMetricsF metrics(d->current->font);
    qreal widest = 0;
    for (const QString& text : texts) widest = std::max(widest, metrics.horizontalAdvance(ShownText(text)));
    return qCeil(widest);
}

int TCanvas::TextHeight(const QString&) {
    d->CurrentFont(Font);
    return d->current->height;
}

void TCanvas::TextOut(int x, int y, const QString& whole) {
    const QString text = ShownText(whole);
    d->CurrentFont(Font);
    const Impl::LaidOutText& line = d->LayOut(text, -1);
    const int w = line.width;
    d->penPos = TPoint{x + w, y};
    if (!d->Usable() || text.isEmpty()) return;
    QPainter& p = Painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (Brush.Style == bsSolid) p.fillRect(QRect(x, y, w, d->current->height), ToQColor(Brush.Color));
    d->PrepareText(p, Font.Color);
    d->DrawLaidOut(p, QPointF(x, y), line);
}

QString ShownTextFor(const QString& text, unsigned flags) {
    TShownPart part = spStart;
    if (!(flags & DT_END_ELLIPSIS)) part = (flags & DT_RIGHT) ? spEnd : (flags & DT_CENTER) ? spMiddle : spStart;
    return ShownText(text, part, (flags & DT_SINGLELINE) ? MaxShownLineChars : MaxShownWrappedChars);
}

int TCanvas::DrawText(const QString& whole, TRect& r, unsigned flags) {
    const QString source = ShownTextFor(whole, flags); // only what can be seen is laid out
    const bool single = flags & DT_SINGLELINE;
    d->CurrentFont(Font);
    const QFontMetrics& fm = d->Metrics();

    int qtFlags = 0;
    if (flags & DT_RIGHT)
        qtFlags |= Qt::AlignRight;
    else if (flags & DT_CENTER)
        qtFlags |= Qt::AlignHCenter;
    else
        qtFlags |= Qt::AlignLeft;
    qtFlags |= Qt::AlignAbsolute; // right-to-left reading changes the order, not the alignment
    if (single) {
        qtFlags |= Qt::TextSingleLine;
        if (flags & DT_BOTTOM)
            qtFlags |= Qt::AlignBottom;
        else if (flags & DT_VCENTER)
            qtFlags |= Qt::AlignVCenter;
        else
            qtFlags |= Qt::AlignTop;
    } else {
        qtFlags |= Qt::AlignTop;
        if (flags & DT_WORDBREAK) qtFlags |= Qt::TextWordWrap;
    }
    if (flags & DT_EXPANDTABS) qtFlags |= Qt::TextExpandTabs;
    if (!(flags & DT_NOPREFIX)) qtFlags |= Qt::TextShowMnemonic;
    if (flags & DT_NOCLIP) qtFlags |= Qt::TextDontClip;

    const bool plainLine = single && !(flags & (DT_CALCRECT | DT_RTLREADING | DT_EXPANDTABS)) &&
                           ((flags & DT_NOPREFIX) || !source.contains(QLatin1Char('&'))) &&
                           !source.contains(QLatin1Char('\n')) && !source.contains(QLatin1Char('\r')) &&
                           !source.contains(QLatin1Char('\t'));
    if (plainLine) return DrawLine(source, r, flags);

    QString text = source;
    if ((flags & DT_END_ELLIPSIS) && !(flags & DT_CALCRECT) && !(qtFlags & Qt::TextWordWrap)) {
        const int mnemonic = (qtFlags & Qt::TextShowMnemonic) ? int(Qt::TextShowMnemonic) : 0;
        QStringList lines = single ? QStringList{text} : text.split(QLatin1Char('\n'));
        for (QString& line : lines)
            line = fm.elidedText(line, Qt::ElideRight, std::max(0, r.Width()), mnemonic);
        text = lines.join(QLatin1Char('\n'));
    }

    if (flags & DT_CALCRECT) {
        const int width = (qtFlags & Qt::TextWordWrap) ? std::max(1, r.Width()) : INT_MAX / 4;
        const QRect br =
            fm.boundingRect(QRect(r.Left, r.Top, width, INT_MAX / 4), qtFlags & ~Qt::AlignVertical_Mask,
                            text.isEmpty() ? QString() : text);
        const int textWidth = br.width(), textHeight = (single || text.isEmpty()) ? fm.height() : br.height();
        r.Right = r.Left + textWidth; // with word breaks: the widest line

        r.Bottom = r.Top + textHeight;
        return textHeight;
    }

    const QRect area = ToQRect(r);
    const QRect br = fm.boundingRect(area, qtFlags, text);
    const int textHeight = single ? fm.height() : br.height();
    if (!d->Usable() || text.isEmpty()) return text.isEmpty() ? 0 : textHeight;
    QPainter& p = Painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (Brush.Style == bsSolid) {
        const QRect back = (flags & DT_NOCLIP) ? br : br.intersected(area);
        if (!back.isEmpty()) p.fillRect(back, ToQColor(Brush.Color));
    }
    d->PrepareText(p, Font.Color);
    const bool rtl = flags & DT_RTLREADING;
    if (rtl) p.setLayoutDirection(Qt::RightToLeft);
    p.drawText(area, qtFlags, text);
    if (rtl) p.setLayoutDirection(Qt::LeftToRight);
    return textHeight;
}

int TCanvas::DrawLine(const QString& text, const TRect& r, unsigned flags) {
    const int lineHeight = d->current->height;
    if (!d->Usable() || text.isEmpty()) return text.isEmpty() ? 0 : lineHeight;
    const Impl::LaidOutText& line = d->LayOut(text, (flags & DT_END_ELLIPSIS) ? std::max(0, r.Width()) : -1);
    int x = r.Left, y = r.Top;
    if (flags & DT_RIGHT)
        x = r.Right - line.width;
    else if (flags & DT_CENTER)
        x = r.Left + (r.Width() - line.width) / 2;
    if (flags & DT_BOTTOM)
        y = r.Bottom - lineHeight;
    else if (flags & DT_VCENTER)
        y = r.Top + (r.Height() - lineHeight) / 2;
    // Native text sits where Qt's own alignment puts it, between pixels if need be.
    QPointF at(x, y);
    if (d->current->key.rendering == trNative) {
        const qreal h = d->current->exactHeight;
        if (flags & DT_RIGHT)
            at.setX(r.Right - line.exactWidth);
        else if (flags & DT_CENTER)
            at.setX(r.Left + (r.Width() - line.exactWidth) / 2);
        if (flags & DT_BOTTOM)
            at.setY(r.Bottom - h);
        else if (flags & DT_VCENTER)
            at.setY(r.Top + (r.Height() - h) / 2);
    }
    const QRect area = ToQRect(r);
    const QRect extent(x, y, line.width, lineHeight);
    QPainter& p = Painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    // Font and pen are given before the save, so that the next line in them need not give them.
    d->PrepareText(p, Font.Color);
    const bool clip = !(flags & DT_NOCLIP) && !area.contains(extent);
    if (clip) {
        p.save();
        p.setClipRect(area, Qt::IntersectClip);
    }
    if (Brush.Style == bsSolid) p.fillRect(extent, ToQColor(Brush.Color));
    d->DrawLaidOut(p, at, line);
    if (clip) p.restore();
    return lineHeight;
}

// ---------------------------------------------------------------------------------------------
// Inverting operations, copies and pictures

void TCanvas::DrawFocusRect(const TRect& r) {
    if (!d->Usable() || r.IsEmpty()) return;
    // Every other pixel of the outline (a checker pattern fixed to the surface), each pixel once,
    // inverted: a second call restores the surface.
    QPolygon pts;
    auto add = [&](int x, int y) {
        if (((x + y) & 1) == 0) pts << QPoint(x, y);
    };
    for (int x = r.Left; x < r.Right; ++x) add(x, r.Top);
    if (r.Height() > 1)
        for (int x = r.Left; x < r.Right; ++x) add(x, r.Bottom - 1);
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        add(r.Left, y);
        if (r.Width() > 1) add(r.Right - 1, y);
    }
    QPainter& p = Painter();
    p.setCompositionMode(QPainter::RasterOp_NotDestination);
    DrawPixels(p, pts, Qt::black, d->Scaled());
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& src) {
    if (!d->Usable() || dest.IsEmpty()) return;
    QPainter& p = Painter();
    if (CopyMode == cmDstInvert) {
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.fillRect(ToQRect(dest), Qt::black);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        return;
    }
    if (!source.d->Usable() || src.IsEmpty()) return;
    QImage image;
    // Source rectangles count the source's own (device) pixels.
    QRect from = DeviceRect(ToQRect(src).translated(-source.d->origin.X, -source.d->origin.Y),
                            source.d->target->devicePixelRatio());
    if (&source == this || source.d->target == d->target) {
        image = d->target->copy(from); // the painter is writing into the same pixels
        from = QRect(QPoint(0, 0), from.size());
    } else {
        source.Flush();
        image = *source.d->target;
    }
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(ToQRect(dest), image, from);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

namespace {

// The picture as drawn: alpha ignored, and with Transparent the key colour's pixels left out.
QImage Drawable(const TBitmap& bitmap) {
    const QImage& image = bitmap.Image();
    if (!bitmap.Transparent()) {
        // A read-only view of the same pixels whose alpha byte does not count.
        return QImage(image.constBits(), image.width(), image.height(), image.bytesPerLine(),
                      QImage::Format_RGB32);
    }
    QImage masked = image.copy();
    const std::uint32_t key = ToPixel(bitmap.TransparentColor()) & 0xFFFFFFu;
    for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x)
            line[x] = (line[x] & 0xFFFFFFu) == key ? 0u : (line[x] | 0xFF000000u);
    }
    return masked;
}

} // namespace

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
    if (!d->Usable() || bitmap.Empty()) return;
    if (&bitmap.Image() == d->target) return; // a bitmap drawn onto itself changes nothing
    const QImage image = Drawable(bitmap);
    QPainter& p = Painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(QPoint(x, y), image);
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap) {
    if (!d->Usable() || bitmap.Empty() || dest.IsEmpty()) return;
    if (&bitmap.Image() == d->target) return;
    const QImage image = Drawable(bitmap);
    QPainter& p = Painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(ToQRect(dest), image);
}

// ---------------------------------------------------------------------------------------------
// Clipping

// The painter takes the clip at its next use (Painter()).
void TCanvas::SetClipRect(const TRect& r) {
    d->clip = r;
}

void TCanvas::ResetClip() {
    d->clip.reset();
}

TRect TCanvas::GetClipBox() const {
    const TRect whole{d->origin.X, d->origin.Y, d->origin.X + Width(), d->origin.Y + Height()};
    return d->clip ? d->clip->Intersect(whole) : whole;
}

} // namespace tolvane
