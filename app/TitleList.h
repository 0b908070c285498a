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
