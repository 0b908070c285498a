#include "app/CatalogStore.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <atomic>

#include "app/CatalogError.h"
#include "app/CatalogSchema.h"

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
// changes nothing when the journal belongs to a writer still at work.
void RollBackInterruptedSave(const QString& path) {
    if (!QFileInfo::exists(path + "-journal") || !QFileInfo(path).isWritable()) return;
    const QString name = NewConnectionName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(OpenUri(path, TOpenMode::omReadWrite));
        db.setConnectOptions("QSQLITE_OPEN_URI");
        if (db.open()) {
            Probe(db);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

TCatalogStore::~TCatalogStore() {
    Close();
}

void TCatalogStore::Open(const QString& path, TOpenMode mode) {
    Close();
    path_ = path;
    mode_ = mode;
    const QFileInfo info(path);
    if (!info.exists()) throw ECatalogError(Failure("no such file"));
    if (!info.isFile()) throw ECatalogError(Failure("not a file"));
    if (!info.isReadable()) throw ECatalogError(Failure("permission denied"));
    // A file that cannot be written is shown read-only rather than failing at the first edit.
    if (!info.isWritable()) mode_ = TOpenMode::omReadOnly;
    mode = mode_;
    if (mode == TOpenMode::omReadOnly) RollBackInterruptedSave(path);

    const QString name = NewConnectionName();
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(OpenUri(path, mode));
        db.setConnectOptions(mode == TOpenMode::omReadOnly ? "QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY"
                                                           : "QSQLITE_OPEN_URI");
        // A sound catalogue is read once, by the schema check; a file that fails it is probed
        // first, so that a damaged, foreign or locked file is told apart from a wrong schema.
        std::optional<QString> quick;
        if (!db.open()) {
            error = db.lastError().text();
        } else if ((quick = TCatalogSchema::QuickDefect(db, &declared_))) {
            if (!quick->isEmpty()) error = "not a catalogue (" + *quick + ")";
        } else if (const QSqlError probe = Probe(db); probe.isValid()) {
            // Only a file that SQLite cannot read as a database is "not a catalogue"; a locked or
            // unreadable one is reported as it is.
            const QString code = probe.nativeErrorCode();
            error = code == "26" || code == "11" ? "not a catalogue (" + probe.databaseText() + ")"
                                                 : probe.databaseText();
        } else {
            const QString defect = TCatalogSchema::Defect(db);
            if (!defect.isEmpty()) error = "not a catalogue (" + defect + ")";
        }
        if (!error.isEmpty()) db.close();
    }
    if (!error.isEmpty()) {
        declared_.clear();
        QSqlDatabase::removeDatabase(name);
        throw ECatalogError(Failure(error));
    }
    connection_ = name;
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
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
    connection_.clear();
}

QSqlDatabase TCatalogStore::Database() const {
    if (connection_.isEmpty()) throw ECatalogError(Failure("catalogue is not open"));
    return QSqlDatabase::database(connection_, false);
}

} // namespace tolvane
