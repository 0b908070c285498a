#include "app/commands/InitCommand.h"

#include <stdexcept>

#include "app/CatalogError.h"
#include "app/CatalogSchema.h"
#include "app/NewCatalog.h"

namespace tolvane {

int TInitCommand::Run(const QStringList& args, std::ostream& out) {
    if (args.size() != 1 || args[0].startsWith('-'))
        throw std::runtime_error("usage: tolvane init postgresql://[user@]host[:port]/dbname (or FILE)");
    TNewCatalog::Create(args[0]);
    out << TCatalogLocation::Parse(args[0]).Display().toStdString() << ": an empty catalogue\n";
    return 0;
}

} // namespace tolvane
