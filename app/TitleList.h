#pragma once
// What the catalogue window needs of its title grid: rows of a hidden ID cell (column 0) and a
// name cell (column 1), a current row, and the select-cell event.

#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>

class QWidget;

namespace tolvane {

class TTitleList {
public:
    virtual ~TTitleList() = default;

    virtual QWidget* Widget() = 0;
    // Position and size in the parent widget's pixels.
    virtual void SetBounds(const QRect& bounds) = 0;
    virtual void Clear() = 0;
    virtual void AddRows(int count) = 0;
    // Lists `count` rows whose key and name are read from the callbacks when asked (painted,
    // read back), instead of being copied in: a list costs what is shown. Writing a cell turns
    // the rows into stored ones first.
    using TIdReader = std::function<std::int64_t(int row)>;
    using TNameReader = std::function<QString(int row)>;
    virtual void ListRows(int count, TIdReader id, TNameReader name) = 0;
    // Copies listed rows in, so that they stay as they are when their source closes.
    virtual void KeepListed() = 0;
    virtual int GetRowCount() const = 0;
    virtual void SetIdCell(int row, std::int64_t id) = 0;
    virtual QString GetCellText(int col, int row) const = 0;
    // The ID cell's key of a row.
    virtual std::int64_t IdAt(int row) const = 0;
    virtual void SetCellText(int col, int row, const QString& text) = 0;
    // Makes a row current and raises OnSelectCell; does nothing on an empty list.
    virtual void SetCurrentRow(int row) = 0;
    virtual int CurrentRow() const = 0;
    // Makes a row current the way a user does it (a click on the row).
    virtual void ClickRow(int row) = 0;

    // (ACol, ARow) of the cell that became current.
    std::function<void(int, int)> OnSelectCell;
};

} // namespace tolvane
