#include "grid/host/ThemePainter.h"

#include <algorithm>

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include "grid/host/QtConvert.h"

namespace tolvane {

namespace {

bool themesOn = true;

// State numbers shared by buttons, tool buttons, arrows: 1 normal, 2 hot, 3 pressed, 4 disabled.
QStyle::State ButtonState(int state) {
    QStyle::State s = QStyle::State_Enabled | QStyle::State_Raised;
    switch (state) {
    case 2:
        s |= QStyle::State_MouseOver;
        break;
    case 3:
        s = (s & ~QStyle::State_Raised) | QStyle::State_Sunken;
        break;
    case 4:
        s &= ~QStyle::State_Enabled;
        break;
    default:
        break;
    }
    return s;
}

void InitOption(QStyleOption& opt, const QRect& rect) {
    opt.rect = rect;
    opt.palette = QApplication::palette();
    opt.direction = Qt::LeftToRight;
}

void DrawHeader(QStyle* style, QPainter& p, const QRect& rect, int part, int state) {
    QStyleOptionHeader opt;
    InitOption(opt, rect);
    opt.state = ButtonState(state) | QStyle::State_Horizontal;
    opt.orientation = Qt::Horizontal;
    opt.position = part == 2 ? QStyleOptionHeader::Beginning : QStyleOptionHeader::Middle;
    opt.section = part == 2 ? 0 : 1;
    style->drawControl(QStyle::CE_HeaderSection, &opt, &p, nullptr);
}

void DrawCheckBox(QStyle* style, QPainter& p, const QRect& rect, int state) {
    QStyleOptionButton opt;
    InitOption(opt, rect);
    const bool checked = state >= 5;
    const int base = checked ? state - 4 : state; // 1 normal, 2 hot, 3 pressed
    opt.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
    if (base == 2) opt.state |= QStyle::State_MouseOver;
    if (base == 3) opt.state |= QStyle::State_Sunken;
    if (base == 4) opt.state &= ~QStyle::State_Enabled;
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &opt, &p, nullptr);
}

void DrawPushButton(QStyle* style, QPainter& p, const QRect& rect, int state) {
    QStyleOptionButton opt;
    InitOption(opt, rect);
    opt.state = ButtonState(state == 5 ? 1 : state);
    if (state == 5) opt.features |= QStyleOptionButton::DefaultButton;
    style->drawControl(QStyle::CE_PushButtonBevel, &opt, &p, nullptr);
}

void DrawToolButton(QStyle* style, QPainter& p, const QRect& rect, int state) {
    QStyleOptionToolButton opt;
    InitOption(opt, rect);
    opt.state = ButtonState(state == 5 ? 1 : state) | QStyle::State_AutoRaise;
    if (state == 5) opt.state |= QStyle::State_On | QStyle::State_Sunken;
    if (state == 1) return; // an auto-raised tool button shows no panel at rest
    style->drawPrimitive(QStyle::PE_PanelButtonTool, &opt, &p, nullptr);
}

void DrawArrowButton(QStyle* style, QPainter& p, const QRect& rect, QStyle::PrimitiveElement arrow,
                     int state) {
    QStyleOptionButton panel;
    InitOption(panel, rect);
    panel.state = ButtonState(state);
    style->drawPrimitive(QStyle::PE_PanelButtonCommand, &panel, &p, nullptr);
    QStyleOption opt;
    InitOption(opt, rect.adjusted(2, 2, -2, -2));
    opt.state = ButtonState(state);
    style->drawPrimitive(arrow, &opt, &p, nullptr);
}

void DrawFrame(QStyle* style, QPainter& p, const QRect& rect) {
    QStyleOptionFrame opt;
    InitOption(opt, rect);
    opt.state = QStyle::State_Enabled | QStyle::State_Sunken;
    opt.lineWidth = 1;
    opt.frameShape = QFrame::StyledPanel;
    style->drawPrimitive(QStyle::PE_Frame, &opt, &p, nullptr);
}

} // namespace

bool ThemesEnabled() {
    return themesOn;
}

void SetThemesEnabled(bool on) {
    themesOn = on;
}

void DrawThemedPart(TCanvas& canvas, const TRect& r, const QString& themeClass, int part, int state) {
    QStyle* style = QApplication::style();
    if (!style || r.IsEmpty() || canvas.Width() <= 0) return;
    const QString cls = themeClass.toLower();
    const QRect rect = ToQRect(r);
    QPainter& p = canvas.Painter();
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (cls == QLatin1String("header") && (part == 1 || part == 2))
        DrawHeader(style, p, rect, part, state);
    else if (cls == QLatin1String("button") && part == 3)
        DrawCheckBox(style, p, rect, state);
    else if (cls == QLatin1String("button") && part == 1)
        DrawPushButton(style, p, rect, state);
    else if (cls == QLatin1String("toolbar") && part == 1)
        DrawToolButton(style, p, rect, state);
    else if (cls == QLatin1String("combobox") && part == 1)
        DrawArrowButton(style, p, rect, QStyle::PE_IndicatorArrowDown, state);
    else if (cls == QLatin1String("spin") && part == 1)
        DrawArrowButton(style, p, rect, QStyle::PE_IndicatorSpinUp, state);
    else if (cls == QLatin1String("spin") && part == 2)
        DrawArrowButton(style, p, rect, QStyle::PE_IndicatorSpinDown, state);
    else if ((cls == QLatin1String("listview") || cls == QLatin1String("edit")) && part == 1)
        DrawFrame(style, p, rect);
    p.restore();
}

void DrawThemedFrame(TCanvas& canvas, const TRect& r, int width, const QString& themeClass, int part,
                     int state) {
    if (width <= 0 || r.IsEmpty()) return;
    const TRect inner{r.Left + width, r.Top + width, r.Right - width, r.Bottom - width};
    const TRect saved = canvas.GetClipBox();
    const TRect strips[] = {
        {r.Left, r.Top, r.Right, std::min(inner.Top, r.Bottom)},           // top
        {r.Left, std::max(inner.Bottom, r.Top), r.Right, r.Bottom},        // bottom
        {r.Left, inner.Top, std::min(inner.Left, r.Right), inner.Bottom},  // left
        {std::max(inner.Right, r.Left), inner.Top, r.Right, inner.Bottom}, // right
    };
    for (const TRect& strip : strips) {
        const TRect piece = strip.Intersect(saved);
        if (piece.IsEmpty()) continue;
        canvas.SetClipRect(piece);
        DrawThemedPart(canvas, r, themeClass, part, state);
    }
    canvas.SetClipRect(saved);
}

} // namespace tolvane
