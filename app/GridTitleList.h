#pragma once
// The title list on the library's grid view: a hidden numeric ID column and the name column, in
// report layout without header, footer or input row.

#include <QFont>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/TitleList.h"

namespace tolvane {

class TGridView;

class TGridTitleList : public TTitleList {
public:
    // scale turns the grid's design sizes (120 dpi) into the screen's pixels.
    TGridTitleList(QWidget* parent, double scale, const QFont& font);
    ~TGridTitleList() override;

    QWidget* Widget() override;
    void SetBounds(const QRect& bounds) override;
    void Clear() override;
    void AddRows(int count) override;
    void ListRows(int count, TIdReader id, TNameReader name) override;
    void KeepListed() override { StoreListed(); }
    int GetRowCount() const override;
    void SetIdCell(int row, std::int64_t id) override;
    QString GetCellText(int col, int row) const override;
    std::int64_t IdAt(int row) const override;
    void SetCellText(int col, int row, const QString& text) override;
    void SetCurrentRow(int row) override;
    int CurrentRow() const override;
    void ClickRow(int row) override;

    TGridView& Grid();

private:
    class TListedGrid;

    void CheckCell(int col, int row) const;
    // Copies listed rows into the cells, so that they can be written one by one.
    void StoreListed();

    std::unique_ptr<TListedGrid> grid_;
    // The keys as read: the grid's numeric cell holds a double, which neither keeps every 64-bit
    // key nor prints one of 16 digits or more without an exponent.
    std::vector<std::int64_t> ids_;
};

} // namespace tolvane
