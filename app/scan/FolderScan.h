#pragma once
// Adds the video files of one folder to the catalogue as the episodes of one title.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

#include "app/CatalogError.h"

namespace tolvane {

struct TScanRequest {
    QString Folder;
    QString Catalogue;
    QString Title; // the title's name; an existing title of that name gets the new episodes
    QString Type;  // "TV", "OVA" or "Movie" for a new title; empty leaves it unset
    int Threads = 0; // files read at once; 0: as many as the machine has cores
};

// A scan ended by its caller before it stored anything.
class EScanCancelled : public ECatalogError {
public:
    EScanCancelled() : ECatalogError("cancelled") {}
};

struct TScanResult {
    std::int64_t TitleId = 0;
    bool NewTitle = false;
    int Added = 0;
    std::vector<std::int64_t> AddedIds; // the new episodes' keys
    int Present = 0;     // files already in the catalogue under this title
    QStringList Skipped; // "<file>: <reason>" for each file that could not be read
};

class TFolderScan {
public:
    // Called as the reading goes on: the 1-based number of the first file not read yet, the
    // count and its name.
    using TProgress = std::function<void(int, int, const QString&)>;
    // Asked before the files are read, as the reading goes on (at least every 20 ms) and
    // once more just before the episodes are stored: true ends the scan with ECancelled, nothing
    // added.
    using TCancelled = std::function<bool()>;

    // Reads every video file of the folder that the title does not list yet, on several threads
    // (TScanRequest::Threads), then writes the title and all new episodes from this thread in one
    // transaction, so a failure or an interruption adds nothing. The transaction holds the write
    // lock while it looks again at what the title lists, so that scans at the same time add each
    // file once and one title of a name. Progress and the question whether to stop come on this
    // thread. Throws ECatalogError when the folder or catalogue cannot be used or the folder
    // holds no readable video file.
    static TScanResult Run(const TScanRequest& request, const TProgress& progress = {},
                           const TCancelled& cancelled = {});

    // Video files, by extension.
    static bool IsVideo(const QString& fileName);
    // The external subtitles of a video among a folder's file names: "<base>.<ext>" or
    // "<base>.<language>.<ext>", as "SRT" or "SRT rus", joined by ", ".
    static QString ExternalSubtitles(const QString& videoName, const QStringList& folderFiles);
};

} // namespace tolvane
