#include "app/TextLengthDelegate.h"

#include <QLineEdit>

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

void TTextLengthDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // Qt lays out the whole text to paint or size a cell: a long one is cut to what can be seen.
    option->text = ShownText(option->text);
}

} // namespace tolvane
