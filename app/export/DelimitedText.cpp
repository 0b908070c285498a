#include "app/export/DelimitedText.h"

#include "app/CatalogError.h"

namespace tolvane {

TTextFormat TDelimitedText::FormatNamed(const std::string& name) {
    if (name == "csv") return TTextFormat::tfCsv;
    if (name == "tsv") return TTextFormat::tfTsv;
    throw ECatalogError("unknown format " + name + " (csv or tsv)");
}

std::string TDelimitedText::Field(const std::string& text, TTextFormat format) {
    if (format == TTextFormat::tfCsv) {
        if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
        std::string quoted = "\"";
        for (char c : text) {
            if (c == '"') quoted += '"';
            quoted += c;
        }
        return quoted + '"';
    }
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\t':
            escaped += "\\t";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '\r':
            escaped += "\\r";
            break;
        case '\\':
            escaped += "\\\\";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string TDelimitedText::Of(const TExportTable& table, TTextFormat format) {
    TDelimitedText text(format);
    text.AddRow(table.Header);
    for (const auto& row : table.Rows) text.AddRow(row);
    return text.Text();
}

void TDelimitedText::AddRow(const std::vector<std::string>& fields) {
    const char separator = format_ == TTextFormat::tfCsv ? ',' : '\t';
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) text_ += separator;
        text_ += Field(fields[i], format_);
    }
    text_ += format_ == TTextFormat::tfCsv ? "\r\n" : "\n";
}

} // namespace tolvane
