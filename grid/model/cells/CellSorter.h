#pragma once
// Sorts the rows of a cell store by one column with the store's quicksort: a random pivot
// from lo + 1 .. hi, a two-scan partition that exchanges whole rows, no stability.
//
// Each cell's key is read once up front; the partition then moves keys and a row order
// instead of cells, and the store applies the final order to its list of row slots. The
// outcome is the one of exchanging rows in place at each step.

#include <cstdint>
#include <vector>

#include <QString>

#include "grid/model/cells/SortType.h"

namespace tolvane {

class TCell;
class TCells;
struct TTextKey;

class TCellSorter {
public:
    explicit TCellSorter(TCells& cells) : cells_(cells) {}
    void Sort(int col, TSortType sortType, bool descending);

private:
    template <typename Key, typename Read>
    std::vector<Key> ReadKeys(int col, Read read);
    // Keys of the text comparison; texts that cells make on each read are kept in `made`.
    std::vector<TTextKey> ReadTextKeys(int col, std::vector<QString>& made);
    template <typename Key, typename Compare>
    void Run(std::vector<Key>& keys, Compare compare, bool reversed);
    template <bool Reversed, typename Key, typename Compare>
    void RunIn(std::vector<Key>& keys, Compare compare);
    // The same sort on numbers read once (a number or date column), with the same pivots and so
    // the same order of equal keys, on keys that compare as plain integers.
    void RunNumbers(const std::vector<double>& numbers, bool reversed);

    TCells& cells_;
};

} // namespace tolvane
