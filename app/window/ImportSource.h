#pragma once
// The tables an import reads: an Access file through mdbtools, or tables a test gives in its
// place.

#include <QString>
#include <functional>
#include <memory>

#include "app/import/TableSource.h"

namespace tolvane {

class TImportSource {
public:
    using TOpener = std::function<std::unique_ptr<TTableSource>(const QString& path)>;

    // Throws ECatalogError as TMdbTableSource does.
    static std::unique_ptr<TTableSource> Open(const QString& path);
    // Installs an opener in place of mdbtools; returns the one replaced (empty: mdbtools).
    static TOpener SetOpener(TOpener opener);
};

} // namespace tolvane
