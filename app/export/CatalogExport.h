#pragma once
// The catalogue as a table of text: the titles with their totals, or one title's episodes with
// every stored and calculated field. Headers are the catalogue's field names.

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

#include "app/export/DelimitedText.h"
#include "app/export/ExportTable.h"

namespace tolvane {

class TCatalogExport {
public:
    // The whole text, built before anything is written, so that a failure leaves no half table.
    // Throws ECatalogError "<file>: <reason>", also for a title ID that is not in the catalogue.
    static std::string Text(const QString& path, std::optional<std::int64_t> title, TTextFormat format);
    // The same as a table, read whole before it is returned.
    static TExportTable Table(const QString& path, std::optional<std::int64_t> title);
};

} // namespace tolvane
