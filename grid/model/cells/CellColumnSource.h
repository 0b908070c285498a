#pragma once
// What the cell store needs to know of the grid's columns.

#include <QString>

#include "grid/base/Types.h"

namespace tolvane {

// What the cell store needs to know of the grid's columns, by column index (creation order).
class TCellColumnSource {
public:
    virtual ~TCellColumnSource() = default;
    virtual int ColumnCount() const = 0;
    virtual int ColumnCellKind(int index) const = 0;
    virtual TColor ColumnColor(int index) const = 0;
    virtual QString ColumnDefaultValue(int index) const = 0;
};

} // namespace tolvane
