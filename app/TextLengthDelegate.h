#pragma once
// In-place cell editing that stops at the field's size, so a stored text never outgrows it; and
// cell texts painted and measured only as far as a screen can show them, from lines laid out
// once and kept (a repaint or the columns' fit to their contents lays the same texts out again
// no more).

#include <QStyledItemDelegate>
#include <functional>

#include "app/CellTextLines.h"

namespace tolvane {

class TTextLengthDelegate : public QStyledItemDelegate {
public:
    // maxLength(column) gives the characters a column's field holds, 0 for no limit.
    TTextLengthDelegate(std::function<int(int)> maxLength, QObject* parent = nullptr);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    // Whether the cell is one line of text alone, the style's own look drawn around it: its
    // text is then drawn here from a kept line; anything else is left to the style whole.
    static bool KeptLineFits(const QStyleOptionViewItem& option, const QStyle& style);
    // The text and the focus frame over it, as the style draws them.
    void DrawText(QPainter& painter, const QStyleOptionViewItem& option, const QString& text,
                  const QStyle& style) const;
    void DrawLine(QPainter& painter, const QStyleOptionViewItem& option, const QString& text,
                  const QRect& textRect, const QStyle& style) const;

    std::function<int(int)> maxLength_;
    mutable TCellTextLines lines_;
};

} // namespace tolvane
