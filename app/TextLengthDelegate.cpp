#include "app/TextLengthDelegate.h"

#include <QFontMetrics>
#include <algorithm>
#include <QLineEdit>
#include <QScreen>
#include <QWidget>

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

} // namespace tolvane
