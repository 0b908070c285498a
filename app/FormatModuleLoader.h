#pragma once
// Loads the formats module (libmediainfo, mdbtools and libxlsxwriter behind it) the first time a
// scan, an import or an export to a workbook needs it, and keeps it loaded; the viewer starts
// without it.

#include <QString>
#include <QStringList>

#include "app/FormatModule.h"

namespace tolvane {

class TFormatModuleLoader {
public:
    // The module; throws ECatalogError naming the file and where it was looked for when it cannot
    // be loaded. A failure is not kept: the next call looks again. Safe from any thread.
    static const TFormatModule& Get();

    // Where the module is looked for, in order: beside the program, then where the package
    // installs it.
    static QStringList Candidates();
};

} // namespace tolvane
