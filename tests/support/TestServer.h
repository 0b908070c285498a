#pragma once
// A throwaway PostgreSQL server for the tests: a cluster in a temporary folder, run as the
// unprivileged "postgres" user when the tests run as root, listening only on a Unix socket in
// that folder. It starts on first use and is stopped and removed when the program ends — also
// when the program aborts or is killed, by a watcher process that waits for the program's end.

#include <QString>
#include <QStringList>

namespace tolvane::test {

class TTestServer {
public:
    // The running server; started on the first call. Throws std::runtime_error (with the
    // server's log) when it cannot start: the tests that need it fail, never skip.
    static TTestServer& Get();

    // The folder holding the server's socket.
    const QString& SocketFolder() const { return folder_; }
    // A URI naming a database of this server as `user`.
    QString Uri(const QString& database, const QString& user = "postgres",
                const QString& password = {}) const;
    // A new empty database with a name of its own (owned by `owner` when given).
    QString NewDatabase(const QString& owner = {});
    // Runs statements as the superuser on a database (the maintenance database by default).
    void Exec(const QString& sql, const QString& database = "postgres");

    // Stops the server as an administrator would, keeping the cluster, and starts it again: what
    // a window on one of its catalogues meets when its server goes away and comes back.
    void Shutdown();
    void StartAgain();

    // Stops and removes the cluster; the destructor does so too.
    void Stop();
    static void StopIfStarted();
    ~TTestServer();

private:
    TTestServer();
    void Start();
    void Watch();
    // Runs a server program as the server's user; throws with its output when it fails.
    QString Run(const QString& program, const QStringList& args, bool check = true);

    QString bin_;
    QString folder_; // the temporary folder: data, log, socket
    QString data_;
    int watchPipe_ = -1;
    bool running_ = false;
};

} // namespace tolvane::test
