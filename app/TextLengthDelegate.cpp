#include "app/TextLengthDelegate.h"

#include <QApplication>
#include <QCommonStyle>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "grid/base/ShownText.h"

namespace tolvane {

TTextLengthDelegate::TTextLengthDelegate(std::function<int(int)> maxLength, QObject* parent)
    : QStyledItemDelegate(parent), maxLength_(std::move(maxLength)) {}

QWidget* TTextLengthDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        const int length = maxLength_ ? maxLength_(index.column()) : 0;
        if (length > 0) edit->setMaxLength(length);
    }
    return editor;
}

} // namespace tolvane

namespace tolvane {

namespace {

bool HasLineBreak(const QString& text) {
    for (QChar c : text)
        if (c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator) return true;
    return false;
}

// The start of a one-line text that is wider than `width`, or the whole text: what a cell of that
// width shows of it, elided or clipped at its right, is the same for both.
QString StartWiderThan(const QString& text, const QFontMetrics& metrics, int width) {
    for (qsizetype n = width / std::max(1, metrics.averageCharWidth()) + 16; n < text.size(); n *= 2) {
        const QString start = ShownText(text, spStart, n);
        if (HasLineBreak(start)) break;
        if (metrics.horizontalAdvance(start) > width) return start;
    }
    return text;
}

} // namespace

void TTextLengthDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // Qt lays out the whole text to paint or size a cell: a long one is cut to what can be seen,
    // and a left-aligned one elided at its end to what the cell (or, for its size, the screen)
    // is wide.
    option->text = ShownText(option->text);
    const bool fromLeft = (option->displayAlignment & Qt::AlignHorizontal_Mask) == Qt::AlignLeft &&
                          option->direction == Qt::LeftToRight;
    const bool endElided = option->textElideMode == Qt::ElideRight || option->textElideMode == Qt::ElideNone;
    if (!fromLeft || !endElided || (option->features & QStyleOptionViewItem::WrapText)) return;
    int width = option->rect.width();
    if (width <= 0) {
        const QScreen* screen = option->widget ? option->widget->screen() : nullptr;
        if (!screen) return;
        width = screen->virtualGeometry().width();
    }
    option->text = StartWiderThan(option->text, option->fontMetrics, width);
}

namespace {

const QStyle& StyleOf(const QStyleOptionViewItem& option) {
    return option.widget ? *option.widget->style() : *QApplication::style();
}

// A text position as Qt's text layout keeps it, in 64ths of a pixel.
qint64 Fixed(qreal pixels) {
    return std::llround(pixels * 64);
}

} // namespace

bool TTextLengthDelegate::KeptLineFits(const QStyleOptionViewItem& option, const QStyle& style) {
    constexpr auto others = QStyleOptionViewItem::WrapText | QStyleOptionViewItem::HasCheckIndicator |
                            QStyleOptionViewItem::HasDecoration;
    const Qt::Alignment across = option.displayAlignment & Qt::AlignHorizontal_Mask;
    // Where the selection is drawn behind the text alone, the style sizes it by the text; a style
    // sheet draws cells its own way; line breaks show as lines of their own.
    return option.showDecorationSelected && !(option.features & others) && option.direction == Qt::LeftToRight &&
           (option.textElideMode == Qt::ElideRight || option.textElideMode == Qt::ElideNone) &&
           (across == Qt::AlignLeft || across == Qt::AlignRight || across == Qt::AlignHCenter) &&
           !option.text.contains(QChar::LineSeparator) && qobject_cast<const QCommonStyle*>(&style) &&
           !style.inherits("QStyleSheetStyle");
}

void TTextLengthDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QStyle& style = StyleOf(cell);
    if (!KeptLineFits(cell, style)) {
        style.drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
        return;
    }
    // The style draws the cell without its text (the text is what it would lay out, three times
    // over) and without its focus frame, which goes over the text.
    const QString text = std::exchange(cell.text, QString());
    const bool focus = cell.state & QStyle::State_HasFocus;
    cell.state &= ~QStyle::State_HasFocus;
    style.drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
    if (focus) cell.state |= QStyle::State_HasFocus;
    DrawText(*painter, cell, text, style);
}

void TTextLengthDelegate::DrawText(QPainter& painter, const QStyleOptionViewItem& option, const QString& text,
                                   const QStyle& style) const {
    if (text.isEmpty() && !(option.state & QStyle::State_HasFocus)) return;
    const QRect textRect = style.subElementRect(QStyle::SE_ItemViewItemText, &option, option.widget);
    QPalette::ColorGroup group = option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(option.state & QStyle::State_Active)) group = QPalette::Inactive;
    painter.save();
    painter.setClipRect(option.rect);
    painter.setPen(option.palette.color(group, option.state & QStyle::State_Selected &&
                                                       !(option.state & QStyle::State_Editing)
                                                   ? QPalette::HighlightedText
                                                   : QPalette::Text));
    if (option.state & QStyle::State_Editing) painter.drawRect(textRect.adjusted(0, 0, -1, -1));

    if (!text.isEmpty()) DrawLine(painter, option, text, textRect, style);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect frame;
        frame.QStyleOption::operator=(option);
        frame.rect = style.subElementRect(QStyle::SE_ItemViewItemFocusRect, &option, option.widget);
        frame.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        frame.backgroundColor = option.palette.color(option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled,
                                                     option.state & QStyle::State_Selected ? QPalette::Highlight : QPalette::Window);
        style.drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, option.widget);
    }
    painter.restore();
}

void TTextLengthDelegate::DrawLine(QPainter& painter, const QStyleOptionViewItem& option, const QString& text,
                                   const QRect& textRect, const QStyle& style) const {
    const int margin = style.pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
    const QRect room = textRect.adjusted(margin, 0, -margin, 0);
    const TCellTextLines::TLine& line = option.textElideMode == Qt::ElideNone
                                            ? lines_.Natural(text, option.font)
                                            : lines_.Fitted(text, option.font, room.width());
    // Placed as the style places a laid-out line: across by the alignment in 64ths of a pixel,
    // down by whole pixels.
    const qint64 spare = Fixed(room.width()) - Fixed(line.Width);
    const Qt::Alignment across = option.displayAlignment & Qt::AlignHorizontal_Mask;
    const qint64 x = across == Qt::AlignRight ? spare : across == Qt::AlignHCenter ? spare / 2 : 0;
    const int height = qRound(line.Height);
    int top = room.top();
    if ((option.displayAlignment & Qt::AlignVCenter) == Qt::AlignVCenter)
        top += room.height() / 2 - height / 2;
    else if (option.displayAlignment & Qt::AlignBottom)
        top += room.height() - height;
    line.Layout.draw(&painter, QPointF(room.left() + qreal(x) / 64, top));
}

QSize TTextLengthDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    if (const QVariant size = index.data(Qt::SizeHintRole); size.isValid()) return size.value<QSize>();
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QStyle& style = StyleOf(cell);
    if (!KeptLineFits(cell, style)) return style.sizeFromContents(QStyle::CT_ItemViewItem, &cell, QSize(), cell.widget);
    // The style's size of the cell without its text, widened by the text's kept line.
    const TCellTextLines::TLine& line = lines_.Natural(std::exchange(cell.text, QString()), cell.font);
    const QSize empty = style.sizeFromContents(QStyle::CT_ItemViewItem, &cell, QSize(), cell.widget);
    return {empty.width() + int(std::ceil(line.Width)), std::max(empty.height(), int(std::ceil(line.Height)))};
}

} // namespace tolvane
