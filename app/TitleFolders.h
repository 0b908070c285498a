#pragma once
// Where each title's files are: the folder its last scan read, kept in a table of its own
// ("TitleFolders") made by the first scan that records one. Catalogues made before, or imported,
// lack the table and know no folder.

#include <QSqlDatabase>
#include <QString>
#include <cstdint>

namespace tolvane {

class TTitleFolders {
public:
    // Within the caller's write transaction. Throws ECatalogError.
    static void Record(const QSqlDatabase& db, std::int64_t title, const QString& folder);
    // The folder, or an empty text when it is not known.
    static QString FolderOf(const QSqlDatabase& db, std::int64_t title);
};

} // namespace tolvane
