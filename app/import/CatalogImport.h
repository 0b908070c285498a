#pragma once
// A new catalogue file made from the titles and episodes of another database.

#include <QString>
#include <QStringList>
#include <vector>

#include "app/import/TableSource.h"

namespace tolvane {

struct TImportedTable {
    QString Table;
    int Read = 0;
    QStringList Skipped; // "row <n>: <reason>", n counting the source's rows from 1
};

class TCatalogImport {
public:
    // Copies "Sp" and "Серии" (keys included, so episodes stay with their titles) into a new
    // catalogue at target, which gets the viewer's schema and totals view. A row whose value does
    // not fit its field is skipped and reported, never changed. The file appears only when all
    // is written; an existing target is refused. Throws ECatalogError naming the table or fields
    // the source lacks, or "<target>: <reason>".
    static std::vector<TImportedTable> Run(TTableSource& source, const QString& sourceName,
                                           const QString& target);
};

} // namespace tolvane
