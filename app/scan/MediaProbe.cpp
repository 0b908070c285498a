#include "app/scan/MediaProbe.h"

#include "app/CatalogError.h"
#include "app/FormatModuleLoader.h"

namespace tolvane {

TMediaProbe::TMediaProbe() : reader_(TFormatModuleLoader::Get().NewMediaReader()) {
    if (!reader_) throw ECatalogError("the readers' module could not make a media reader");
}

TMediaProbe::~TMediaProbe() = default;

std::optional<TMediaFacts> TMediaProbe::Read(const QString& path, QString* problem) {
    TMediaFacts facts;
    QString why;
    if (reader_->Read(path, facts, why)) return facts;
    if (problem) *problem = why;
    return std::nullopt;
}

QString TMediaProbe::LibraryVersion() {
    try {
        return TFormatModuleLoader::Get().MediaLibraryVersion();
    } catch (const ECatalogError& e) {
        return QString::fromUtf8(e.what());
    }
}

} // namespace tolvane
