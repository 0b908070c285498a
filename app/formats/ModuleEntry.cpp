// The formats module's one entry: the table of what it offers.

#include "app/FormatModule.h"
#include "app/formats/MdbReader.h"
#include "app/formats/MediaInfoReader.h"
#include "app/formats/XlsxWriter.h"

namespace tolvane {
namespace {

TMediaReader* NewMediaReader() noexcept {
    try {
        return new TMediaInfoReader;
    } catch (...) {
        return nullptr;
    }
}

QString MediaLibraryVersion() noexcept {
    try {
        return TMediaInfoReader::LibraryVersion();
    } catch (...) {
        return "unknown";
    }
}

TAccessReader* OpenAccess(const QString& path, QString& error) noexcept {
    return TMdbReader::Open(path, error);
}

const TFormatModule Module{FormatModuleVersion, NewMediaReader, MediaLibraryVersion, OpenAccess, TXlsxWriter::Write};

} // namespace
} // namespace tolvane

extern "C" __attribute__((visibility("default"))) const tolvane::TFormatModule* tolvane_format_module() {
    return &tolvane::Module;
}
