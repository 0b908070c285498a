#pragma once
// How the window's pending edits are stored when someone can answer (a conflict is asked about,
// a failure on closing offers Retry / Keep / Discard) and when no one can (a signal, the session's
// end: retried while another writer holds the lock or the server is gone, then kept in the
// recovery file beside the catalogue).

#include <QString>
#include <vector>

namespace tolvane {

class TRecordSource;

class TEditStorage {
public:
    // Stores the source's pending edit; each field changed elsewhere is asked about. Returns
    // false while one is left undecided (the edit stays pending). Throws ECatalogError when the
    // write fails; the edit stays pending then too.
    static bool StoreChecked(TRecordSource& source);

    // For closing: stores every source's edit; a failure asks Retry / Keep / Discard / Cancel
    // (Keep puts them in the catalogue's recovery file). Returns whether the window may close
    // (stored, kept, or discarded on purpose).
    static bool StoreOnClose(const std::vector<TRecordSource*>& sources, const QString& catalogue);

    // Without asking: stores what can be stored, retrying writes refused by a lock for up to
    // `budgetMs`;
    // what is left (a conflict, a write that keeps failing) goes to the catalogue's recovery file
    // and is dropped from the sources. Returns the number of fields kept there.
    static int StoreUnattended(const std::vector<TRecordSource*>& sources, const QString& catalogue,
                               int budgetMs);
};

} // namespace tolvane
