#include "app/formats/XlsxWriter.h"

#include <QFile>
#include <cmath>
#include <memory>
#include <xlsxwriter.h>

#include "app/CatalogError.h"

namespace tolvane {

namespace {

// Whole numbers beyond this lose digits as a spreadsheet's doubles: they stay text.
constexpr double kExactLimit = 9007199254740992.0; // 2^53

struct TWorkbookCloser {
    void operator()(lxw_workbook* book) const {
        if (book) workbook_close(book);
    }
};

void Check(lxw_error error, const QString& path) {
    if (error != LXW_NO_ERROR) throw ECatalogError(path + ": " + QString::fromUtf8(lxw_strerror(error)));
}

lxw_error WriteCell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, const std::string& text,
                    bool numeric) {
    if (text.empty()) return LXW_NO_ERROR;
    if (numeric) {
        const QByteArray bytes = QByteArray::fromStdString(text);
        bool whole = false, ok = false;
        const qlonglong n = bytes.toLongLong(&whole);
        const double value = whole ? double(n) : bytes.toDouble(&ok);
        if ((whole && std::fabs(value) <= kExactLimit) || (!whole && ok && std::isfinite(value)))
            return worksheet_write_number(sheet, row, column, value, nullptr);
    }
    // libxlsxwriter takes C strings and writes other control characters in the workbook's own
    // escape, _xHHHH_; a NUL would end the text, so it is written in that escape here.
    if (text.find('\0') == std::string::npos)
        return worksheet_write_string(sheet, row, column, text.c_str(), nullptr);
    std::string escaped;
    for (char c : text) escaped += c ? std::string(1, c) : std::string("_x0000_");
    return worksheet_write_string(sheet, row, column, escaped.c_str(), nullptr);
}

} // namespace

bool TXlsxWriter::Write(const TExportTable& table, const QString& path, QString& error) noexcept {
    try {
        Workbook(table, path);
        return true;
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    } catch (...) {
        error = path + ": cannot write the workbook";
    }
    return false;
}

void TXlsxWriter::Workbook(const TExportTable& table, const QString& path) {
    const QByteArray file = QFile::encodeName(path);
    std::unique_ptr<lxw_workbook, TWorkbookCloser> book(workbook_new(file.constData()));
    if (!book) throw ECatalogError(path + ": cannot create the workbook");
    lxw_worksheet* sheet =
        workbook_add_worksheet(book.get(), table.Name.empty() ? nullptr : table.Name.c_str());
    if (!sheet) throw ECatalogError(path + ": cannot add a sheet");
    lxw_format* bold = workbook_add_format(book.get());
    format_set_bold(bold);

    for (std::size_t c = 0; c < table.Header.size(); ++c)
        Check(worksheet_write_string(sheet, 0, lxw_col_t(c), table.Header[c].c_str(), bold), path);
    for (std::size_t r = 0; r < table.Rows.size(); ++r) {
        const auto& row = table.Rows[r];
        for (std::size_t c = 0; c < row.size(); ++c)
            Check(WriteCell(sheet, lxw_row_t(r + 1), lxw_col_t(c), row[c],
                            c < table.Numeric.size() && table.Numeric[c]),
                  path);
    }
    worksheet_freeze_panes(sheet, 1, 0);
    Check(workbook_close(book.release()), path);
}

} // namespace tolvane
