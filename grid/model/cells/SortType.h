#pragma once
// How the cells of a column are compared when the rows are sorted by that column.

namespace tolvane {

enum TSortType { stAlphabetic, stBoolean, stCaseInsensitive, stNumeric, stDate, stIP };

} // namespace tolvane
