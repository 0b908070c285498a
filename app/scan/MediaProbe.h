#pragma once
// Reads a video file's technical facts with libmediainfo.

#include <QString>
#include <memory>
#include <optional>

#include "app/scan/MediaFacts.h"

namespace MediaInfoLib {
class MediaInfo;
}

namespace tolvane {

class TMediaProbe {
public:
    // Makes sure the C library converts file names as UTF-8: libmediainfo turns its wide names
    // into bytes through the C locale, and the plain "C" locale cannot hold Cyrillic letters.
    TMediaProbe();
    ~TMediaProbe();
    TMediaProbe(const TMediaProbe&) = delete;
    TMediaProbe& operator=(const TMediaProbe&) = delete;

    // The facts of the file, or nothing when it cannot be read or libmediainfo finds no video or
    // audio in it; then problem, if given, says why ("permission denied", "not a readable video
    // file", ...). The external subtitles are left empty: they are not in the file.
    std::optional<TMediaFacts> Read(const QString& path, QString* problem = nullptr);

    // The library's version, as "23.04".
    static QString LibraryVersion();

private:
    std::unique_ptr<MediaInfoLib::MediaInfo> info_;
};

} // namespace tolvane
