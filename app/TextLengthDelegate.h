#pragma once
// In-place cell editing that stops at the field's size, so a stored text never outgrows it; and
// cell texts painted and measured only as far as a screen can show them.

#include <QStyledItemDelegate>
#include <functional>

namespace tolvane {

class TTextLengthDelegate : public QStyledItemDelegate {
public:
    // maxLength(column) gives the characters a column's field holds, 0 for no limit.
    TTextLengthDelegate(std::function<int(int)> maxLength, QObject* parent = nullptr);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    std::function<int(int)> maxLength_;
};

} // namespace tolvane
