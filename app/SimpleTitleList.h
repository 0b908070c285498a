#pragma once
// The title list on a standard table widget: a hidden ID column and the name column.

#include <QPointer>
#include <QTableWidget>

#include "app/TitleList.h"

namespace tolvane {

class TSimpleTitleList : public TTitleList {
public:
    // Sizes are in device-independent pixels already scaled to the screen.
    TSimpleTitleList(QWidget* parent, int rowHeight, int nameWidth);
    ~TSimpleTitleList() override;

    QWidget* Widget() override;
    void Clear() override;
    void AddRows(int count) override;
    int GetRowCount() const override;
    void SetIdCell(int row, std::int64_t id) override;
    QString GetCellText(int col, int row) const override;
    void SetCellText(int col, int row, const QString& text) override;
    void SetCurrentRow(int row) override;
    int CurrentRow() const override;
    void ClickRow(int row) override;

private:
    void CheckCell(int col, int row) const;

    QPointer<QTableWidget> table_;
    QMetaObject::Connection selectConnection_;
};

} // namespace tolvane
