#pragma once
// Title and episode edits stored one after another through the record sources, the way the
// window's bound boxes and episode grid store them, each reported on a line once it is stored.
// It drives the crash test, which kills the program at random moments and then checks that the
// catalogue is sound and holds every edit reported.

#include <QString>
#include <cstdint>
#include <ostream>

namespace tolvane {

class TEditLoop {
public:
    // Stores `count` edits in the catalogue at `path`, picking records and fields with a generator
    // seeded by `round`. Each edit writes the text "<round>-<n>" into a text field and, once it is
    // stored, writes the line "<table> <id> <field> <round>-<n>" to out and flushes it.
    static void Run(const QString& path, std::uint32_t round, int count, std::ostream& out);
};

} // namespace tolvane
