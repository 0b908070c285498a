#include "app/SimpleTitleList.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTableWidget>

#include "grid/shared/Errors.h"

namespace tolvane {

TSimpleTitleList::TSimpleTitleList(QWidget* parent, int rowHeight, int nameWidth) : table_(new QTableWidget(parent)) {
    table_->setObjectName("GV");
    table_->setColumnCount(2);
    table_->setColumnHidden(0, true);
    table_->setColumnWidth(1, nameWidth);
    table_->horizontalHeader()->setVisible(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->setVisible(false);
    table_->verticalHeader()->setDefaultSectionSize(rowHeight);
    table_->verticalHeader()->setMinimumSectionSize(1);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->setTextElideMode(Qt::ElideRight);
    table_->setGridStyle(Qt::SolidLine);
    selectConnection_ = QObject::connect(table_, &QTableWidget::currentCellChanged, table_, [this](int row, int col, int, int) {
        if (row >= 0 && OnSelectCell) OnSelectCell(col, row);
    });
}

// The parent widget owns the table; it must not call back into a list that is gone.
TSimpleTitleList::~TSimpleTitleList() {
    QObject::disconnect(selectConnection_);
}

QWidget* TSimpleTitleList::Widget() { return table_; }

void TSimpleTitleList::Clear() {
    table_->clearContents();
    table_->setRowCount(0);
}

void TSimpleTitleList::AddRows(int count) {
    if (count < 0) throw EListError("Row count out of bounds (" + std::to_string(count) + ")");
    table_->setRowCount(table_->rowCount() + count);
}

int TSimpleTitleList::GetRowCount() const { return table_->rowCount(); }

void TSimpleTitleList::CheckCell(int col, int row) const {
    CheckListIndex(col, table_->columnCount(), "Column");
    CheckListIndex(row, table_->rowCount(), "Row");
}

void TSimpleTitleList::SetIdCell(int row, std::int64_t id) { SetCellText(0, row, QString::number(id)); }

QString TSimpleTitleList::GetCellText(int col, int row) const {
    CheckCell(col, row);
    const QTableWidgetItem* item = table_->item(row, col);
    return item ? item->text() : QString();
}

void TSimpleTitleList::SetCellText(int col, int row, const QString& text) {
    CheckCell(col, row);
    QTableWidgetItem* item = table_->item(row, col);
    if (item)
        item->setText(text);
    else
        table_->setItem(row, col, new QTableWidgetItem(text));
}

void TSimpleTitleList::SetCurrentRow(int row) {
    if (table_->rowCount() == 0) return;
    CheckListIndex(row, table_->rowCount(), "Row");
    table_->setCurrentCell(row, 1);
}

int TSimpleTitleList::CurrentRow() const { return table_->currentRow(); }

void TSimpleTitleList::ClickRow(int row) {
    CheckListIndex(row, table_->rowCount(), "Row");
    const QModelIndex index = table_->model()->index(row, 1);
    table_->scrollTo(index);
    const QRect cell = table_->visualRect(index);
    const QPointF at = cell.center();
    QWidget* viewport = table_->viewport();
    QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, viewport->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QApplication::sendEvent(viewport, &release);
}

} // namespace tolvane
