#pragma once
// Reads the media facts of many files on several threads, one probe each, and hands them back
// in the files' own order. The caller's thread only waits, reports progress and asks whether to
// stop, so callbacks never run on a worker thread.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "app/scan/MediaFacts.h"

namespace tolvane {

struct TProbed {
    std::optional<TMediaFacts> Facts; // nothing when the file could not be read
    QString Problem;                  // why, then
};

class TProbePool {
public:
    // Called on the caller's thread: the position of the file the readers are now at (the first
    // not read yet, 0-based).
    using TProgress = std::function<void(int)>;
    // Asked on the caller's thread now and then: true stops the readers, and Read returns nothing.
    using TCancelled = std::function<bool()>;

    // As many readers as the machine has cores (at least one).
    static int DefaultThreads();

    // The facts of every file, in the order of `paths`; nothing when cancelled. `threads` below
    // one means DefaultThreads().
    static std::optional<std::vector<TProbed>> Read(const QStringList& paths, int threads,
                                                    const TProgress& progress = {},
                                                    const TCancelled& cancelled = {});
};

} // namespace tolvane
