#include "app/export/XlsxFile.h"

#include "app/CatalogError.h"
#include "app/FormatModuleLoader.h"

namespace tolvane {

void TXlsxFile::Write(const TExportTable& table, const QString& path) {
    QString error;
    if (!TFormatModuleLoader::Get().WriteXlsx(table, path, error)) throw ECatalogError(error);
}

} // namespace tolvane
