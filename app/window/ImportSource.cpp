#include "app/window/ImportSource.h"

#include "app/import/MdbTableSource.h"

namespace tolvane {

namespace {
TImportSource::TOpener& Opener() {
    static TImportSource::TOpener opener;
    return opener;
}
} // namespace

std::unique_ptr<TTableSource> TImportSource::Open(const QString& path) {
    if (Opener()) return Opener()(path);
    return std::make_unique<TMdbTableSource>(path);
}

TImportSource::TOpener TImportSource::SetOpener(TOpener opener) {
    std::swap(Opener(), opener);
    return opener;
}

} // namespace tolvane
