#pragma once
// A table to export: a header and rows of UTF-8 texts, with the columns whose values are numbers
// marked, so that a spreadsheet gets numbers as numbers and every other text as text.

#include <string>
#include <vector>

namespace tolvane {

struct TExportTable {
    std::string Name; // the catalogue table the rows come from
    std::vector<std::string> Header;
    std::vector<bool> Numeric; // per column; an empty text there is no value
    std::vector<std::vector<std::string>> Rows;
};

} // namespace tolvane
