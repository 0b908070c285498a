#pragma once
// Reads a video file's technical facts, through the formats module (libmediainfo), which the
// first probe loads.

#include <QString>
#include <memory>
#include <optional>

#include "app/scan/MediaFacts.h"

namespace tolvane {

class TMediaReader;

class TMediaProbe {
public:
    // Throws ECatalogError when the formats module cannot be loaded or gives no reader.
    TMediaProbe();
    ~TMediaProbe();
    TMediaProbe(const TMediaProbe&) = delete;
    TMediaProbe& operator=(const TMediaProbe&) = delete;

    // The facts of the file, or nothing when it cannot be read or libmediainfo finds no video or
    // audio in it; then problem, if given, says why ("permission denied", "not a readable video
    // file", ...). The external subtitles are left empty: they are not in the file.
    std::optional<TMediaFacts> Read(const QString& path, QString* problem = nullptr);

    // The library's version, as "23.04"; why it is not at hand when the module cannot be loaded.
    static QString LibraryVersion();

private:
    std::unique_ptr<TMediaReader> reader_;
};

} // namespace tolvane
