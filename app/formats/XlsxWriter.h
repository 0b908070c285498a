#pragma once
// A table as an Excel workbook (.xlsx) of one sheet, written with libxlsxwriter: the values of
// numeric columns as numbers, every other value as a text cell, so that a value beginning with
// "=", "+", "-" or "@" is never taken for a formula.

#include <QString>

#include "app/export/ExportTable.h"

namespace tolvane {

class TXlsxWriter {
public:
    // Writes the workbook at path (overwriting it); false with error "<path>: <reason>".
    static bool Write(const TExportTable& table, const QString& path, QString& error) noexcept;

private:
    // Throws ECatalogError.
    static void Workbook(const TExportTable& table, const QString& path);
};

} // namespace tolvane
