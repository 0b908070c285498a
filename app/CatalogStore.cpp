#include "app/CatalogStore.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <atomic>
#include <sqlite3.h>

#include "app/CatalogError.h"
#include "app/CatalogLocation.h"
#include "app/CatalogSchema.h"
#include "app/ConnectionGuard.h"
#include "app/ServerConnection.h"
#include "app/SqlFailure.h"
#include "app/StatementCache.h"

namespace tolvane {

namespace {

QString NewConnectionName() {
    static std::atomic<int> counter{0};
    return QString("tolvane-catalogue-%1").arg(++counter);
}

// A URI with an explicit mode, so that SQLite never creates the file it is asked to open.
QString OpenUri(const QString& path, TOpenMode mode) {
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    url.setQuery(mode == TOpenMode::omReadOnly ? "mode=ro" : "mode=rw");
    return url.toString(QUrl::FullyEncoded);
}

// Reads the schema once: the first read of the file, where a foreign, damaged or locked file shows.
QSqlError Probe(const QSqlDatabase& db) {
    QSqlQuery q(db);
    if (!q.exec("SELECT count(*) FROM sqlite_master")) return q.lastError();
    return {};
}

// A crash in the middle of a save leaves a hot journal behind, which only a connection that may
// write can roll back: a read-only opening fails on it ("attempt to write a readonly database").
// The first read of a writable connection rolls it back, restoring the last stored state, and
// changes nothing when the journal belongs to a writer still at work. `file` is the catalogue's
// own file, not a link to it: the journal lies beside the file.
void RollBackInterruptedSave(const QString& file) {
    if (!QFileInfo::exists(file + "-journal") || !QFileInfo(file).isWritable()) return;
    const QString name = NewConnectionName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(OpenUri(file, TOpenMode::omReadWrite));
        db.setConnectOptions("QSQLITE_OPEN_URI");
        if (db.open()) {
            try {
                TConnectionGuard guard(db);
                Probe(db);
            } catch (const ECatalogError&) {
                // The reading that follows reports what is wrong with the file.
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
}

// Why a first read of the file failed, in the words the user needs.
QString ReadFailure(const QSqlDatabase& db, const QSqlError& error, const QString& file) {
    const int code = error.nativeErrorCode().toInt() & 0xff;
    // Only a file that SQLite cannot read as a database is "not a catalogue"; a locked or
    // unreadable one is reported as it is.
    if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT)
        return "not a catalogue (" + TSqlFailure::Text(db, error) + ")";
    if (code == SQLITE_READONLY && QFileInfo::exists(file + "-journal"))
        return "needs recovery from an interrupted save, which needs write access to the file and its folder";
    return TSqlFailure::Text(db, error);
}

} // namespace

TCatalogStore::TCatalogStore() : statements_(std::make_unique<TStatementCache>()) {}

TCatalogStore::~TCatalogStore() {
    Close();
}

void TCatalogStore::Open(const QString& path, TOpenMode mode) {
    Close();
    path_ = path;
    shown_ = path;
    server_ = TCatalogLocation::NamesServer(path);
    mode_ = mode;
    if (server_) {
        OpenServer(TCatalogLocation::Parse(path));
        return;
    }
    const QFileInfo info(path);
    if (!info.exists()) throw ECatalogError(Failure("no such file"));
    if (!info.isFile()) throw ECatalogError(Failure("not a file"));
    if (!info.isReadable()) throw ECatalogError(Failure("permission denied"));
    // A link is followed to the file, beside which SQLite keeps the journal.
    const QString file = info.canonicalFilePath();
    // A file that cannot be written is shown read-only rather than failing at the first edit.
    if (!info.isWritable()) mode_ = TOpenMode::omReadOnly;
    mode = mode_;
    if (mode == TOpenMode::omReadOnly) RollBackInterruptedSave(file);

    const QString name = NewConnectionName();
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(OpenUri(file, mode));
        db.setConnectOptions(mode == TOpenMode::omReadOnly ? "QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY"
                                                           : "QSQLITE_OPEN_URI");
        try {
            error = FirstRead(db, file);
        } catch (const ECatalogError& e) {
            error = QString::fromUtf8(e.what());
        }
        if (!error.isEmpty()) {
            guard_.reset();
            db.close();
        }
    }
    if (!error.isEmpty()) {
        declared_.clear();
        QSqlDatabase::removeDatabase(name);
        throw ECatalogError(Failure(error));
    }
    connection_ = name;
}

QString TCatalogStore::FirstRead(QSqlDatabase& db, const QString& file) {
    if (!db.open()) return TSqlFailure::Text(db, db.lastError());
    guard_ = std::make_unique<TConnectionGuard>(db);
    // A sound catalogue is read once, by the schema check; a file that fails it is probed first,
    // so that a damaged, foreign or locked file is told apart from a wrong schema.
    if (const std::optional<QString> quick = TCatalogSchema::QuickDefect(db, &declared_))
        return quick->isEmpty() ? QString() : "not a catalogue (" + *quick + ")";
    if (const QSqlError probe = Probe(db); probe.isValid()) return ReadFailure(db, probe, file);
    const QString defect = TCatalogSchema::Defect(db);
    return defect.isEmpty() ? QString() : "not a catalogue (" + defect + ")";
}

void TCatalogStore::OpenServer(const TCatalogLocation& where) {
    shown_ = where.Display();
    const QString name = NewConnectionName();
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(TServerConnection::Driver, name);
        try {
            error = FirstServerRead(db, where);
        } catch (const ECatalogError& e) {
            error = QString::fromUtf8(e.what());
        }
        if (!error.isEmpty()) db.close();
    }
    if (!error.isEmpty()) {
        declared_.clear();
        QSqlDatabase::removeDatabase(name);
        throw ECatalogError(error);
    }
    connection_ = name;
}

QString TCatalogStore::FirstServerRead(QSqlDatabase& db, const TCatalogLocation& where) {
    // A role that may only read opens read-only, as a file that cannot be written does.
    TServerConnection::Open(db, where, mode_ == TOpenMode::omReadOnly);
    try {
        const std::optional<QString> quick = TCatalogSchema::QuickDefect(db, &declared_);
        const QString defect = quick ? *quick : TCatalogSchema::Defect(db);
        if (!defect.isEmpty()) return Failure("not a catalogue (" + defect + ")");
        if (mode_ == TOpenMode::omReadWrite && !TServerConnection::MayWrite(db)) {
            mode_ = TOpenMode::omReadOnly;
            QSqlQuery q(db);
            if (!q.exec("SET default_transaction_read_only = on"))
                return Failure(TSqlFailure::Text(db, q.lastError()));
        }
        if (mode_ == TOpenMode::omReadWrite) TServerConnection::KeepCatalogueCodeOff(db);
    } catch (const ECatalogError& e) {
        return Failure(QString::fromUtf8(e.what()));
    }
    return {};
}

const QHash<QString, QString>* TCatalogStore::DeclaredTypes(const QString& table) const {
    const auto it = declared_.constFind(table);
    return it == declared_.constEnd() ? nullptr : &*it;
}

void TCatalogStore::Close() {
    declared_.clear();
    if (connection_.isEmpty()) return;
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        guard_.reset();
        statements_->Clear();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
    connection_.clear();
}

QSqlDatabase TCatalogStore::Database() const {
    if (connection_.isEmpty()) throw ECatalogError(Failure("catalogue is not open"));
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (server_ && TServerConnection::Lost(db)) Reconnect(db);
    return db;
}

bool TCatalogStore::ServerGone() const {
    return server_ && !connection_.isEmpty() &&
           TServerConnection::Lost(QSqlDatabase::database(connection_, false));
}

void TCatalogStore::Reconnect(QSqlDatabase& db) const {
    // What was prepared belongs to the lost session.
    statements_->Clear();
    db.close();
    // The schema was checked at the opening; the session's settings are made again.
    TServerConnection::Open(db, TCatalogLocation::Parse(path_), ReadOnly());
    try {
        if (!ReadOnly()) TServerConnection::KeepCatalogueCodeOff(db);
    } catch (const ECatalogError& e) {
        db.close();
        throw ECatalogError(Failure(QString::fromUtf8(e.what())));
    }
}

} // namespace tolvane
