#pragma once
// Rows of text fields as CSV (RFC 4180) or as tab-separated values.

#include <string>
#include <vector>

#include "app/export/ExportTable.h"

namespace tolvane {

enum class TTextFormat { tfCsv, tfTsv };

class TDelimitedText {
public:
    explicit TDelimitedText(TTextFormat format) : format_(format) {}

    // "csv" or "tsv"; throws ECatalogError for anything else.
    static TTextFormat FormatNamed(const std::string& name);
    // The header and every row.
    static std::string Of(const TExportTable& table, TTextFormat format);

    void AddRow(const std::vector<std::string>& fields);
    const std::string& Text() const { return text_; }

    // CSV: a field with a comma, quote or line break goes in quotes, its quotes doubled.
    // TSV: a tab, line break or backslash inside a field is written as \t, \n, \r or \\, since
    // the format has no quoting.
    static std::string Field(const std::string& text, TTextFormat format);

private:
    TTextFormat format_;
    std::string text_;
};

} // namespace tolvane
