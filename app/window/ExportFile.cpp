#include "app/window/ExportFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>
#include <cstdio>

#include "app/CatalogError.h"
#include "app/export/CatalogExport.h"
#include "app/export/DelimitedText.h"
#include "app/export/OutputFile.h"
#include "app/export/XlsxFile.h"

namespace tolvane {

namespace {
const QString kCsv = "Comma-separated values (*.csv)";
const QString kTsv = "Tab-separated values (*.tsv)";
const QString kXlsx = "Excel workbook (*.xlsx)";
} // namespace

QString TExportFile::Filter() {
    return kCsv + ";;" + kTsv + ";;" + kXlsx;
}

QString TExportFile::FormatOf(const QString& path, const QString& chosenFilter) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "csv" || suffix == "tsv" || suffix == "xlsx") return suffix;
    if (chosenFilter == kTsv) return "tsv";
    if (chosenFilter == kXlsx) return "xlsx";
    return "csv";
}

void TExportFile::Write(const QString& catalogue, const QString& path, const QString& format) {
    TExportTable table = TCatalogExport::Table(catalogue, std::nullopt);
    const QFileInfo info(path);
    // Written under a name of its own, so that a failure leaves the file that was there.
    const QString fresh =
        info.absoluteDir().filePath("." + info.fileName() + "." + QUuid::createUuid().toString(QUuid::Id128));
    if (format == "xlsx")
        TOutputFile::Create(fresh, [&table](const QString& part) { TXlsxFile::Write(table, part); });
    else
        TOutputFile::Create(fresh, TDelimitedText::Of(table, TDelimitedText::FormatNamed(format.toStdString())));
    if (std::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(fresh);
        throw ECatalogError(path + ": cannot write");
    }
}

} // namespace tolvane
