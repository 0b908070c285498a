#pragma once
// The form a cell takes in a store. The store makes each cell of class T as a TStoredCell<T>:
// the same bytes and behaviour, but a class that tells the cell it lives in a slot (or a block)
// of a store's pool, so that it may find its store, column and row from its own address. A cell
// made anywhere else (on the stack, with new, as a member) is of its plain class and so knows by
// itself that it has no store; no table of such cells is kept or asked.

#include <typeinfo>

#include "grid/model/cells/Cell.h"

namespace tolvane {

template <typename T>
class TStoredCell final : public T {
public:
    using T::T;

    const std::type_info& CellClass() const override { return typeid(T); }

private:
    bool Stored() const override { return true; }
};

} // namespace tolvane
