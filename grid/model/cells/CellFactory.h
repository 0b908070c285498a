#pragma once
// Picks the cell class for a column's cell kind. Appending and inserting differ for the
// row-number and virtual kinds.

#include <cstdint>
#include <vector>

#include "grid/model/cells/Cell.h"

namespace tolvane {

class TCellAttributes;
class TCellPool;

enum TCellPlacement { cpAppend, cpInsertColumn, cpInsertRow };

// Cells of a store, placed in its pool. A pooled cell is given back with Destroy, never deleted.
class TCellMaker {
public:
    // The cell of the kind with the colour given, no longer initializing.
    static TCell* Make(TCellPool& pool, TCellAttributes& attributes, int kind, TCellPlacement placement,
                       TColor color);
    // `count` such cells appended to `list`, which has room for them. On a failure the cells
    // made so far stay in the list.
    static void MakeRun(TCellPool& pool, TCellAttributes& attributes, int kind, TCellPlacement placement,
                        TColor color, int count, std::vector<TCell*>& list);
    // Also drops what the store keeps for the cell beside it.
    static void Destroy(TCellPool& pool, TCell* cell);
    // Destroys every cell of the lists, which hold every cell of `pool`, and gives the pool's
    // slabs back at once. Destructors run only where they free something.
    static void DestroyAll(TCellPool& pool, TCellAttributes& attributes, std::vector<std::vector<TCell*>>& lists);

private:
    template <typename T>
    static T* MakeOne(TCellPool& pool, TCellAttributes& attributes, std::uint8_t colorIndex, TColor color);
};

} // namespace tolvane
