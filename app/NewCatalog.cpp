#include "app/NewCatalog.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <atomic>

#include "app/CatalogError.h"
#include "app/CatalogSchema.h"
#include "app/SqlFailure.h"

namespace tolvane {

void TNewCatalog::Create(const QString& path, const std::function<void(QSqlDatabase&)>& fill) {
    if (QFileInfo::exists(path)) throw ECatalogError(path + ": already exists");
    static std::atomic<int> counter{0};
    const QString name = QString("tolvane-new-%1").arg(++counter);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(path);
        if (!db.open()) {
            error = TSqlFailure::Text(db.lastError());
        } else {
            try {
                if (!db.transaction()) throw ECatalogError(TSqlFailure::Text(db.lastError()));
                TCatalogSchema::Create(db);
                if (fill) fill(db);
                if (!db.commit()) throw ECatalogError(TSqlFailure::Text(db.lastError()));
            } catch (const std::exception& e) {
                db.rollback();
                error = QString::fromUtf8(e.what());
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!error.isEmpty()) {
        QFile::remove(path);
        throw ECatalogError(path + ": " + error);
    }
}

} // namespace tolvane
