#pragma once
// tolvane init TARGET: a new empty catalogue — the schema in an empty server database, or a new file.

#include <QStringList>
#include <ostream>

namespace tolvane {

class TInitCommand {
public:
    // Throws ECatalogError or std::runtime_error with the one line to report.
    static int Run(const QStringList& args, std::ostream& out);
};

} // namespace tolvane
