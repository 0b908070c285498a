#pragma once
// Catalogue ▸ Export…: the titles with their totals as a CSV, TSV or Excel file the user named.

#include <QString>

namespace tolvane {

class TExportFile {
public:
    // The kinds of file, as the save dialog lists them.
    static QString Filter();
    // "csv", "tsv" or "xlsx": by the file's suffix, else by the kind chosen in the dialog.
    static QString FormatOf(const QString& path, const QString& chosenFilter);
    // Writes the whole file before it takes the name; an existing file (the dialog asked about
    // it) is replaced only then. Throws ECatalogError "<file>: <reason>".
    static void Write(const QString& catalogue, const QString& path, const QString& format);
};

} // namespace tolvane
