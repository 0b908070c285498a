#pragma once
// A new catalogue file made from the titles and episodes of another database.

#include <QString>
#include <QStringList>
#include <vector>

#include "app/CatalogError.h"
#include "app/import/TableSource.h"

namespace tolvane {

struct TImportedTable {
    QString Table;
    int Read = 0;
    QStringList Skipped; // "row <n>: <reason>", n counting the source's rows from 1
};

// An import ended by its caller: nothing was written.
class EImportCancelled : public ECatalogError {
public:
    EImportCancelled() : ECatalogError("cancelled") {}
};

struct TImportProgress {
    // Rows read of all the source's rows (-1 when it cannot tell), and the table being read.
    std::function<void(long long done, long long total, const QString& table)> Report;
    // Asked between rows: true ends the import with EImportCancelled, the target untouched.
    std::function<bool()> Cancelled;
};

class TCatalogImport {
public:
    // Copies "Sp" and "Серии" (keys included, so episodes stay with their titles) into a new
    // catalogue at target, which gets the viewer's schema and totals view. A row whose value does
    // not fit its field is skipped and reported, never changed. The file appears only when all
    // is written; an existing target is refused. Throws ECatalogError naming the table or fields
    // the source lacks, or "<target>: <reason>".
    static std::vector<TImportedTable> Run(TTableSource& source, const QString& sourceName,
                                           const QString& target, const TImportProgress& progress = {});
};

} // namespace tolvane
