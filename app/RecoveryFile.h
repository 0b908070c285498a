#pragma once
// Edits that could not be stored when the program had to end (a signal, the session's end) are
// kept in a small JSON file beside the catalogue, "<catalogue>.recovery"; the next start offers
// to store them, through the same checked writes as the window's own.

#include <QString>
#include <QVariant>
#include <vector>

namespace tolvane {

class TCatalogStore;

class TRecoveryFile {
public:
    struct TEntry {
        QString Table;
        QString KeyField;
        QVariant Key;
        QString Record; // the record as the user knows it
        QString Field;
        QVariant Old; // the value the edit started from
        QVariant New; // the value typed
    };

    // Beside a file; for a server's catalogue, in the user's data folder under a name made from
    // the whole location (so that no password shows in it).
    static QString PathFor(const QString& catalogue);
    // The file's entries; none when there is no file. Throws ECatalogError for a damaged file.
    static std::vector<TEntry> Read(const QString& catalogue);
    // Adds entries to those already kept. Throws ECatalogError when the file cannot be written.
    static void Append(const QString& catalogue, const std::vector<TEntry>& entries);
    // Writes exactly these entries; no entries removes the file.
    static void Write(const QString& catalogue, const std::vector<TEntry>& entries);

    // When the store's file has kept edits, asks whether to store them now and does what the
    // user answers; a field changed since is asked about as any conflict. Entries left undecided
    // stay in the file. Throws ECatalogError when storing fails (the entries not stored stay).
    static void Offer(TCatalogStore& store);
};

} // namespace tolvane
