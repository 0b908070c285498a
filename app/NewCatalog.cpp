#include "app/NewCatalog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <atomic>

#include "app/CatalogError.h"
#include "app/CatalogSchema.h"
#include "app/ServerConnection.h"
#include "app/SqlFailure.h"

namespace tolvane {

namespace {

QString NewConnectionName() {
    static std::atomic<int> counter{0};
    return QString("tolvane-new-%1").arg(++counter);
}

// A server numbers new rows from a sequence, which must start past the keys written with their
// rows (copied or imported). The error text, or an empty one.
QString MoveSequencesPastKeys(const QSqlDatabase& db) {
    for (const TSourceDef* def : {&TCatalogSchema::Titles(), &TCatalogSchema::Episodes()}) {
        QSqlQuery q(db);
        const QString table = TCatalogSchema::Quoted(def->Table);
        const QString key = TCatalogSchema::Quoted(def->KeyField);
        q.prepare("SELECT setval(pg_get_serial_sequence(?, ?), max(" + key + ")) FROM " + table +
                  " HAVING max(" + key + ") IS NOT NULL");
        q.addBindValue(table);
        q.addBindValue(def->KeyField);
        if (!q.exec()) return TSqlFailure::Text(db, q.lastError());
    }
    return {};
}

} // namespace

TNewCatalog::TNewCatalog(const QString& target, TAccept accept)
    : where_(TCatalogLocation::Parse(target)), connection_(NewConnectionName()) {
    try {
        if (where_.IsServer())
            OpenServer(accept);
        else
            OpenFile();
        QString failure;
        {
            QSqlDatabase db = Database();
            if (!db.transaction()) failure = TSqlFailure::Text(db, db.lastError());
        }
        if (!failure.isEmpty()) throw ECatalogError(Failure(failure));
        open_ = true;
    } catch (...) {
        Discard();
        throw;
    }
}

TNewCatalog::~TNewCatalog() {
    Discard();
}

void TNewCatalog::OpenFile() {
    const QString target = where_.File();
    const QFileInfo info(target);
    if (info.exists() || info.isSymLink()) throw ECatalogError(Failure("already exists"));
    const QDir folder = info.absoluteDir();
    if (!folder.exists()) throw ECatalogError(Failure("no such folder " + folder.path()));
    part_ =
        folder.filePath("." + info.fileName() + "." + QUuid::createUuid().toString(QUuid::Id128) + ".part");
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection_);
    db.setDatabaseName(part_);
    if (!db.open()) throw ECatalogError(Failure("cannot create (" + TSqlFailure::Text(db.lastError()) + ")"));
}

void TNewCatalog::OpenServer(TAccept accept) {
    QSqlDatabase db = QSqlDatabase::addDatabase(TServerConnection::Driver, connection_);
    TServerConnection::Open(db, where_, false);
    try {
        if (!TServerConnection::HoldsTables(db)) return;
        if (accept == TAccept::acEmptyCatalogue) {
            const std::optional<QString> defect = TCatalogSchema::QuickDefect(db);
            QSqlQuery q(db);
            if (defect && defect->isEmpty() &&
                q.exec(QString::fromUtf8(
                    R"(SELECT EXISTS (SELECT 1 FROM "Sp") OR EXISTS (SELECT 1 FROM "Серии"))")) &&
                q.next()) {
                if (q.value(0).toBool()) throw ECatalogError("the catalogue there is not empty");
                TServerConnection::KeepCatalogueCodeOff(db);
                hasSchema_ = true;
                return;
            }
        }
        throw ECatalogError("the database holds tables already (an empty database is needed)");
    } catch (const ECatalogError& e) {
        throw ECatalogError(Failure(QString::fromUtf8(e.what())));
    }
}

QSqlDatabase TNewCatalog::Database() const {
    return QSqlDatabase::database(connection_, false);
}

void TNewCatalog::Commit() {
    QString error;
    {
        QSqlDatabase db = Database();
        if (where_.IsServer()) error = MoveSequencesPastKeys(db);
        if (error.isEmpty()) error = TServerConnection::AnnounceChange(db);
        if (error.isEmpty() && !db.commit()) error = TSqlFailure::Text(db, db.lastError());
        open_ = false;
        if (error.isEmpty()) db.close();
    }
    if (error.isEmpty() && !part_.isEmpty()) {
        if (!QFile::rename(part_, where_.File()))
            error = QFileInfo::exists(where_.File()) ? "already exists" : "cannot create";
    }
    if (!error.isEmpty()) {
        Discard();
        throw ECatalogError(Failure(error));
    }
    part_.clear();
    Discard();
}

void TNewCatalog::RollBack() {
    if (!open_) return;
    open_ = false;
    QSqlDatabase db = Database();
    db.rollback();
}

void TNewCatalog::Discard() {
    if (connection_.isEmpty()) return;
    {
        QSqlDatabase db = Database();
        if (open_ && db.isOpen()) db.rollback();
        db.close();
    }
    open_ = false;
    QSqlDatabase::removeDatabase(connection_);
    connection_.clear();
    if (!part_.isEmpty()) {
        QFile::remove(part_);
        QFile::remove(part_ + "-journal");
        part_.clear();
    }
}

void TNewCatalog::Create(const QString& target, const std::function<void(QSqlDatabase&)>& fill) {
    TNewCatalog catalogue(target);
    try {
        QSqlDatabase db = catalogue.Database();
        TCatalogSchema::Create(db);
        if (fill) fill(db);
    } catch (const ECatalogError& e) {
        throw ECatalogError(catalogue.Failure(QString::fromUtf8(e.what())));
    }
    catalogue.Commit();
}

} // namespace tolvane
