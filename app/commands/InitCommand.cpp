#include "app/commands/InitCommand.h"

#include <stdexcept>

#include "app/CatalogError.h"
#include "app/CatalogSchema.h"
#include "app/NewCatalog.h"

namespace tolvane {

int TInitCommand::Run(const QStringList& args, std::ostream& out) {
    if (args.size() != 1 || args[0].startsWith('-'))
        throw std::runtime_error("usage: tolvane init postgresql://[user@]host[:port]/dbname (or FILE)");
    TNewCatalog catalogue(args[0]);
    try {
        QSqlDatabase db = catalogue.Database();
        TCatalogSchema::Create(db);
    } catch (const ECatalogError& e) {
        throw ECatalogError(catalogue.Failure(QString::fromUtf8(e.what())));
    }
    catalogue.Commit();
    out << catalogue.Shown().toStdString() << ": an empty catalogue\n";
    return 0;
}

} // namespace tolvane
