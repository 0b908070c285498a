#pragma once
// The catalogues opened last, newest first, kept in the user's settings for the next start.

#include <QString>
#include <QStringList>

namespace tolvane {

class TRecentCatalogs {
public:
    static constexpr int Kept = 10;

    // The files and server URIs, newest first; at most Kept.
    static QStringList List();
    // The file opened last, or an empty text.
    static QString Last();
    // Puts the file (by its absolute name) or the server URI (without its password) first, once.
    static void Add(const QString& path);
    // Puts back a list taken before.
    static void Replace(const QStringList& list);
};

} // namespace tolvane
