#include "support/TestServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <pwd.h>
#include <spawn.h>
#include <stdexcept>
#include <unistd.h>

extern char** environ;

namespace tolvane::test {

namespace {

constexpr const char* kServerUser = "postgres";

// Debian keeps each major version's programs in /usr/lib/postgresql/NN/bin; the newest wins.
QString ServerPrograms() {
    QDir root("/usr/lib/postgresql");
    QStringList versions = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(versions.begin(), versions.end(),
              [](const QString& a, const QString& b) { return a.toDouble() > b.toDouble(); });
    for (const QString& v : versions)
        if (QFile::exists(root.filePath(v + "/bin/initdb"))) return root.filePath(v + "/bin");
    throw std::runtime_error("no PostgreSQL server programs in /usr/lib/postgresql (scripts/install-deps)");
}

bool AsRoot() {
    return geteuid() == 0;
}

std::unique_ptr<TTestServer>& Instance() {
    static std::unique_ptr<TTestServer> server;
    return server;
}

} // namespace

TTestServer& TTestServer::Get() {
    std::unique_ptr<TTestServer>& server = Instance();
    if (!server) {
        server.reset(new TTestServer());
        try {
            server->Start();
        } catch (...) {
            server.reset();
            throw;
        }
    }
    return *server;
}

void TTestServer::StopIfStarted() {
    Instance().reset();
}

TTestServer::TTestServer() = default;

TTestServer::~TTestServer() {
    Stop();
}

QString TTestServer::Run(const QString& program, const QStringList& args, bool check) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    // The server's user cannot enter the test's working directory.
    p.setWorkingDirectory(folder_);
    const QString path = bin_ + "/" + program;
    if (AsRoot())
        p.start("runuser", QStringList{"-u", kServerUser, "--", path} + args);
    else
        p.start(path, args);
    const bool finished = p.waitForFinished(60'000);
    const QString output = QString::fromLocal8Bit(p.readAll());
    if (check && (!finished || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0))
        throw std::runtime_error((program + " failed: " + output).toStdString());
    return output;
}

void TTestServer::Start() {
    bin_ = ServerPrograms();
    QByteArray pattern = QDir::temp().filePath("tolvane-pg-XXXXXX").toLocal8Bit();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder for the server");
    folder_ = QString::fromLocal8Bit(pattern);
    data_ = folder_ + "/data";
    Watch();
    if (AsRoot()) {
        const passwd* user = getpwnam(kServerUser);
        if (!user) throw std::runtime_error("no system user \"postgres\" (scripts/install-deps installs it)");
        if (chown(pattern.constData(), user->pw_uid, user->pw_gid) != 0)
            throw std::runtime_error("cannot hand the server's folder to \"postgres\"");
    }

    Run("initdb", {"-D", data_, "-U", "postgres", "-E", "UTF8", "--locale=C.UTF-8", "--no-sync",
                   "--no-instructions", "-A", "trust"});
    // The superuser is trusted; every other role signs in with its password.
    {
        QFile hba(data_ + "/pg_hba.conf");
        if (!hba.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw std::runtime_error("cannot write pg_hba.conf");
        hba.write("local all postgres trust\nlocal all all scram-sha-256\n");
    }
    {
        QFile conf(data_ + "/postgresql.conf");
        if (!conf.open(QIODevice::Append)) throw std::runtime_error("cannot write postgresql.conf");
        conf.write(("listen_addresses = ''\nunix_socket_directories = '" + folder_ +
                    "'\nfsync = off\nsynchronous_commit = off\nfull_page_writes = off\n")
                       .toUtf8());
    }
    StartAgain();
}

void TTestServer::StartAgain() {
    if (running_) return;
    try {
        Run("pg_ctl", {"-D", data_, "-l", folder_ + "/log", "-w", "-t", "30", "start"});
    } catch (const std::runtime_error& e) {
        QFile log(folder_ + "/log");
        log.open(QIODevice::ReadOnly);
        throw std::runtime_error(std::string(e.what()) + "\n" + log.readAll().toStdString());
    }
    running_ = true;
}

void TTestServer::Shutdown() {
    if (!running_) return;
    Run("pg_ctl", {"-D", data_, "-m", "fast", "-w", "-t", "30", "stop"});
    running_ = false;
}

void TTestServer::Watch() {
    // The watcher reads its input until the test program's end closes the pipe, however the
    // program ends, and then stops the server and removes the folder.
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe for the server's watcher");
    const QString stop = (AsRoot() ? QString("runuser -u %1 -- ").arg(kServerUser) : QString()) + bin_ +
                         "/pg_ctl -D \"$1\" -m immediate stop >/dev/null 2>&1";
    const QByteArray script = ("cat >/dev/null; " + stop + "; rm -rf \"$2\"").toLocal8Bit();
    const QByteArray data = data_.toLocal8Bit(), folder = folder_.toLocal8Bit();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[0], STDIN_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A group of its own: Ctrl+C on the test program does not end the watcher before it cleans up.
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    const char* argv[] = {"sh",   "-c", script.constData(), "sh", data.constData(), folder.constData(),
                          nullptr};
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, "/bin/sh", &actions, &attributes, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(fds[0]);
    if (failed) {
        close(fds[1]);
        throw std::runtime_error("cannot start the server's watcher");
    }
    watchPipe_ = fds[1];
}

void TTestServer::Stop() {
    if (running_) {
        running_ = false;
        Run("pg_ctl", {"-D", data_, "-m", "fast", "-w", "stop"}, false);
    }
    if (!folder_.isEmpty()) {
        QDir(folder_).removeRecursively();
        folder_.clear();
    }
    if (watchPipe_ >= 0) {
        close(watchPipe_);
        watchPipe_ = -1;
    }
}

QString TTestServer::Uri(const QString& database, const QString& user, const QString& password) const {
    QUrl url;
    url.setScheme("postgresql");
    url.setHost("");
    url.setUserName(user);
    if (!password.isEmpty()) url.setPassword(password);
    url.setPath("/" + database);
    url.setQuery("host=" + QUrl::toPercentEncoding(folder_, "/"));
    return url.toString(QUrl::FullyEncoded);
}

QString TTestServer::NewDatabase(const QString& owner) {
    static std::atomic<int> counter{0};
    const QString name = QString("catalogue_%1").arg(++counter);
    Exec("CREATE DATABASE " + name + (owner.isEmpty() ? QString() : " OWNER " + owner));
    return name;
}

void TTestServer::Exec(const QString& sql, const QString& database) {
    static std::atomic<int> counter{0};
    const QString connection = QString("test-server-%1").arg(++counter);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", connection);
        db.setHostName(folder_);
        db.setDatabaseName(database);
        db.setUserName("postgres");
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            QSqlQuery q(db);
            if (!q.exec(sql)) error = q.lastError().text() + " in " + sql;
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    if (!error.isEmpty()) throw std::runtime_error(error.toStdString());
}

} // namespace tolvane::test
