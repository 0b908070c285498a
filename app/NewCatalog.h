#pragma once
// A new catalogue file: the tables and the view, and whatever a filler adds, written in one
// transaction; the file is removed again when anything fails.

#include <QSqlDatabase>
#include <QString>
#include <functional>

namespace tolvane {

class TNewCatalog {
public:
    // Refuses a file that exists. Throws ECatalogError "<file>: <reason>".
    static void Create(const QString& path, const std::function<void(QSqlDatabase&)>& fill = {});
};

} // namespace tolvane
