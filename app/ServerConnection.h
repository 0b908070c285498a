#pragma once
// A connection to a catalogue on a PostgreSQL server, set up as the store needs it: connecting and
// every statement bounded in time, faults in the user's words naming host and database (never the
// password), read-only where the role may not write, and none of the catalogue's own code (its
// triggers and rules) run by our writes.

#include <QSqlDatabase>
#include <QString>

#include "app/CatalogLocation.h"

namespace tolvane {

class TServerConnection {
public:
    // The driver's name; a connection of this driver is a server's.
    static const char* const Driver;
    static bool IsServer(const QSqlDatabase& db) { return db.driverName() == Driver; }

    // Opens `db` (a connection of the server driver, not yet open) on the location. A read-only
    // opening cannot write in any transaction. Throws ECatalogError "<location>: <reason>".
    static void Open(QSqlDatabase& db, const TCatalogLocation& where, bool readOnly);
    // Whether the role may add and change titles and episodes (a role with SELECT rights alone,
    // or a standby server, may not).
    static bool MayWrite(const QSqlDatabase& db);
    // Makes sure our writes run none of the catalogue's triggers or rules: turns them off for the
    // session where the role may, and otherwise refuses a catalogue that has any. Throws
    // ECatalogError with the reason alone.
    static void KeepCatalogueCodeOff(const QSqlDatabase& db);
    // Whether the database holds any table, view or sequence of its users.
    static bool HoldsTables(const QSqlDatabase& db);

    // The channel on which our writers tell the other connections that the catalogue changed.
    static const char* const Channel;
    // Inside a writer's transaction, before it commits: tells the other connections of the
    // catalogue, once the transaction commits (a rolled back one tells no one). Nothing to do
    // on a file. Returns the failure's text, or an empty one.
    static QString AnnounceChange(const QSqlDatabase& db);
    // Whether a server's connection is gone: never opened again after a failed reopening, or
    // found broken by the last thing it read (the server stopped, the network went away).
    static bool Lost(const QSqlDatabase& db);

    // How long connecting may take.
    static constexpr int ConnectSeconds = 5;
};

} // namespace tolvane
