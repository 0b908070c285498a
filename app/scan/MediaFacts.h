#pragma once
// What the catalogue stores of one video file.

#include <QString>
#include <cstdint>
#include <optional>

namespace tolvane {

struct TMediaFacts {
    std::int64_t Size = 0; // bytes
    std::optional<int> Width;
    std::optional<int> Height;
    std::optional<std::int64_t> Duration; // ms
    QString Audio;                        // "AAC jpn, AAC rus": each track's format and language
    QString EmbeddedSubtitles;            // the same for the subtitle tracks inside the file
    QString ExternalSubtitles;            // "SRT, ASS": the subtitle files beside it
    bool Truncated = false;               // the file ends before its contents do
};

} // namespace tolvane
