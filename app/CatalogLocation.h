#pragma once
// Where a catalogue lives: a file, or a database on a PostgreSQL server named by a URI
//   postgresql://[user[:password]@]host[:port]/dbname[?param=value&...]
//   postgresql:///dbname?host=/run/postgresql          (a local socket folder)
// A password may come from the URI; otherwise libpq finds it (PGPASSWORD, ~/.pgpass). Texts
// shown to the user name the location by Display(), which never holds the password.

#include <QString>
#include <QStringList>

namespace tolvane {

class TCatalogLocation {
public:
    // Throws ECatalogError for a server URI that cannot be read (the message holds no password).
    static TCatalogLocation Parse(const QString& text);
    // Whether a text names a server rather than a file: it starts with postgresql:// or postgres://.
    static bool NamesServer(const QString& text);

    bool IsServer() const { return server_; }
    // The file; empty for a server.
    const QString& File() const { return file_; }

    const QString& Host() const { return host_; } // a name, an address or a socket folder; may be empty
    int Port() const { return port_; }            // -1: the default
    const QString& User() const { return user_; }
    const QString& Password() const { return password_; }
    const QString& Database() const { return database_; }
    // The URI's other parameters as libpq connection options ("sslmode='require'" ...).
    const QStringList& Options() const { return options_; }

    // The file, or the URI without its password.
    QString Display() const;

private:
    bool server_ = false;
    QString file_;
    QString host_;
    int port_ = -1;
    QString user_;
    QString password_;
    QString database_;
    QStringList options_;
    QStringList shownQuery_; // the query parameters as shown, without a password
};

} // namespace tolvane
