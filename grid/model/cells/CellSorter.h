#pragma once
// Sorts the rows of a cell store by one column with the store's quicksort: a random pivot
// from lo + 1 .. hi, a two-scan partition that exchanges whole rows, no stability.
//
// Each cell's key is read once up front; the partition then moves keys and a row order
// instead of cells, and the store applies the final order to its list of row slots. The
// outcome is the one of exchanging rows in place at each step. Numbers and dates are sorted
// by their keys' bytes instead, which keeps equal numbers in their rows' order.

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
    // Numbers (a number or date column) read once into keys that order as integers, sorted by
    // their bytes; equal numbers keep their rows' order.
    template <typename Read>
    void RunNumbers(int col, Read read, bool reversed);

    TCells& cells_;
};

} // namespace tolvane
