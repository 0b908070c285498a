#pragma once
// A table as an Excel workbook (.xlsx) of one sheet, written with libxlsxwriter: the values of
// numeric columns as numbers, every other value as a text cell, so that a value beginning with
// "=", "+", "-" or "@" is never taken for a formula. libxlsxwriter is in the formats module,
// which the first workbook loads.

#include <QString>

#include "app/export/ExportTable.h"

namespace tolvane {

class TXlsxFile {
public:
    // Writes the workbook at path (overwriting it); throws ECatalogError "<path>: <reason>", or
    // naming the formats module when it cannot be loaded.
    static void Write(const TExportTable& table, const QString& path);
};

} // namespace tolvane
