#pragma once
// The row records of the grid, in row order. Every index is checked (EListError).

#include <vector>

#include "grid/model/cells/Row.h"

namespace tolvane {

class TRows {
public:
    int Count() const { return int(rows_.size()); }
    TRow& Items(int index);
    const TRow& Items(int index) const;

    void Add(int count, int height);
    void Insert(int index, int height);
    void Delete(int index);
    void Move(int from, int to);
    void Clear();

private:
    std::vector<TRow> rows_;
};

} // namespace tolvane
