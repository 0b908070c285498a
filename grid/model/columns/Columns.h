#pragma once
// The grid's column collection: columns in creation order (the cell store's column index) and
// in display order, their laid-out left edges, auto-sizing, and change notifications.

#include <functional>
#include <memory>
#include <vector>

#include "grid/model/cells/CellColumnSource.h"
#include "grid/model/columns/ColumnTypes.h"
#include "grid/model/columns/CustomColumn.h"

namespace tolvane {

class TColumnsOwner;

class TColumns : public TCellColumnSource {
public:
    explicit TColumns(TColumnsOwner* grid = nullptr);
    ~TColumns() override;
    TColumns(const TColumns&) = delete;
    TColumns& operator=(const TColumns&) = delete;

    TColumnsOwner* Grid() const { return grid_; }

    // Takes the column; it goes into the display order before the first column whose Position is
    // greater than its own. Answers the column.
    TCustomColumn& Add(std::unique_ptr<TCustomColumn> column);
    template <class T, class... Args>
    T& Add(Args&&... args) {
        auto column = std::make_unique<T>(std::forward<Args>(args)...);
        T& result = *column;
        Add(std::move(column));
        return result;
    }
    void Clear();
    // Moves the column at display position `from` to `to`; the others shift.
    void Move(int from, int to);

    int Count() const { return int(items_.size()); }
    // By index (creation order).
    TCustomColumn& operator[](int index) const;
    TCustomColumn& Items(int index) const { return (*this)[index]; }
    // By display position.
    TCustomColumn& ColumnByPosition(int position) const;
    // Display position of a column of this collection; -1 when it is not in it.
    int DisplayIndexOf(const TCustomColumn& column) const;
    // Creation index of a column of this collection; -1 when it is not in it.
    int IndexOf(const TCustomColumn& column) const;

    int VisibleCount() const;
    int VisibleWidth() const;
    bool IsReading() const;

    // Lays out the left edges and visible indexes; with renumber, Position := display position.
    void Layout(bool renumber = false);
    // Shares the free width among the visible coAutoSize columns: all of them (column none), those
    // from `column` on (fromColumn), or those after it.
    void AutoSize(TCustomColumn* column = nullptr, bool fromColumn = false);

    std::function<void(TCustomColumn& column, TColumnChangeKind kind)> OnColumnChanged;
    // Indexes are -1 when the notification carries none.
    std::function<void(TColumnsNotification kind, int index1, int index2)> OnColumnsNotify;
    std::function<void(TColumnsNotification kind)> OnColumnsChanged;

    // TCellColumnSource
    int ColumnCount() const override { return Count(); }
    int ColumnCellKind(int index) const override;
    TColor ColumnColor(int index) const override;
    QString ColumnDefaultValue(int index) const override;

private:
    friend class TCustomColumn;
    void ColumnChanged(TCustomColumn& column, TColumnChangeKind kind);
    void Notify(TColumnsNotification kind);

    TColumnsOwner* grid_;
    std::vector<std::unique_ptr<TCustomColumn>> items_;
    std::vector<TCustomColumn*> order_;
};

} // namespace tolvane
