#pragma once
// Reads a video file's technical facts with libmediainfo.

#include <memory>

#include "app/FormatModule.h"

namespace MediaInfoLib {
class MediaInfo;
}

namespace tolvane {

class TMediaInfoReader : public TMediaReader {
public:
    // Makes sure the C library converts file names as UTF-8: libmediainfo turns its wide names
    // into bytes through the C locale, and the plain "C" locale cannot hold Cyrillic letters.
    TMediaInfoReader();
    ~TMediaInfoReader() override;
    TMediaInfoReader(const TMediaInfoReader&) = delete;
    TMediaInfoReader& operator=(const TMediaInfoReader&) = delete;

    // False when the file cannot be read or libmediainfo finds no video or audio in it, with why
    // ("permission denied", "not a readable video file", ...). The external subtitles are left
    // empty: they are not in the file.
    bool Read(const QString& path, TMediaFacts& facts, QString& problem) noexcept override;

    // The library's version, as "23.04".
    static QString LibraryVersion();

private:
    std::unique_ptr<MediaInfoLib::MediaInfo> info_;
};

} // namespace tolvane
