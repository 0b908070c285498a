#pragma once
// Small catalogues for the tests, written with the viewer's own schema: a file in a temporary
// folder, or a new database on the tests' own PostgreSQL server.

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <atomic>
#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>

#include "app/CatalogLocation.h"
#include "app/CatalogSchema.h"
#include "support/TestServer.h"

namespace tolvane::test {

// Where a test catalogue lives; the catalogue tests run once for each.
enum class TEngine { File, Server };

inline std::string EngineName(const ::testing::TestParamInfo<TEngine>& info) {
    return info.param == TEngine::File ? "File" : "Server";
}

#define TOLVANE_ON_BOTH_ENGINES(Suite)                                                                       \
    INSTANTIATE_TEST_SUITE_P(Engines, Suite, ::testing::Values(test::TEngine::File, test::TEngine::Server),  \
                             test::EngineName)

struct TEpisodeRow {
    QString file;
    QVariant size;     // bytes, or null
    QVariant width;    // or null
    QVariant height;   // or null
    QVariant duration; // ms, or null
    QString audio = "AAC";
};

// A connection of its own to a catalogue file or server database, for preparing and inspecting it.
class TRawDb {
public:
    explicit TRawDb(const QString& path) {
        static std::atomic<int> counter{0};
        name_ = QString("test-raw-%1").arg(++counter);
        const TCatalogLocation where = TCatalogLocation::Parse(path);
        QSqlDatabase db = QSqlDatabase::addDatabase(where.IsServer() ? "QPSQL" : "QSQLITE", name_);
        if (where.IsServer()) {
            db.setHostName(where.Host());
            db.setUserName(where.User());
            db.setPassword(where.Password());
            db.setDatabaseName(where.Database());
        } else {
            db.setDatabaseName(path);
        }
        if (!db.open()) throw std::runtime_error(db.lastError().text().toStdString());
    }
    ~TRawDb() {
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }
    QSqlDatabase Db() const { return QSqlDatabase::database(name_, false); }

    void Exec(const QString& sql, const QVariantList& values = {}) {
        QSqlQuery q(Db());
        // A server prepares no schema changes: those run as they stand.
        if (values.isEmpty()) {
            if (!q.exec(sql)) throw std::runtime_error(q.lastError().text().toStdString());
            return;
        }
        if (!q.prepare(sql)) throw std::runtime_error(q.lastError().text().toStdString());
        for (const QVariant& v : values) q.addBindValue(v);
        if (!q.exec()) throw std::runtime_error(q.lastError().text().toStdString());
    }
    QVariant Scalar(const QString& sql, const QVariantList& values = {}) {
        QSqlQuery q(Db());
        q.prepare(sql);
        for (const QVariant& v : values) q.addBindValue(v);
        if (!q.exec() || !q.next()) return {};
        return q.value(0);
    }

private:
    QString name_;
};

// Every row of the catalogue's two tables, in key order, one text a row.
inline QStringList AllRows(const QString& location) {
    TRawDb raw(location);
    QStringList rows;
    for (const TSourceDef* def : {&TCatalogSchema::Titles(), &TCatalogSchema::Episodes()}) {
        QSqlQuery q(raw.Db());
        q.setForwardOnly(true);
        EXPECT_TRUE(q.exec("SELECT * FROM " + TCatalogSchema::Quoted(def->Table) + " ORDER BY \"ID\""));
        while (q.next()) {
            QStringList values{def->Table};
            for (int c = 0; c < q.record().count(); ++c)
                values << (q.value(c).isNull() ? QString("<null>") : q.value(c).toString());
            rows << values.join('|');
        }
    }
    return rows;
}

// A catalogue in a temporary folder.
class TTestCatalog {
public:
    explicit TTestCatalog(TEngine engine = TEngine::File) {
        if (engine == TEngine::Server) {
            TTestServer& server = TTestServer::Get();
            path_ = server.Uri(server.NewDatabase());
        } else {
            path_ = dir_.filePath("catalogue.db");
        }
        TRawDb raw(path_);
        QSqlDatabase db = raw.Db();
        TCatalogSchema::Create(db);
    }
    const QString& Path() const { return path_; }
    QString Folder(const QString& name) const { return dir_.filePath(name); }

    std::int64_t AddTitle(const QString& name, const QVariant& type = "TV", const QVariant& count = "12",
                          const QVariant& comment = QVariant()) {
        TRawDb raw(path_);
        raw.Exec(QString::fromUtf8("INSERT INTO \"Sp\" (\"Название\", \"Тип\", \"Количество серий\", "
                                   "\"Комментарий\") VALUES (?,?,?,?)"),
                 {name, type, count, comment});
        return raw.Scalar("SELECT max(\"ID\") FROM \"Sp\"").toLongLong();
    }
    void AddEpisode(std::int64_t title, const TEpisodeRow& e) {
        TRawDb raw(path_);
        raw.Exec(
            QString::fromUtf8("INSERT INTO \"Серии\" (\"Название\", \"Серия\", \"Объём (байт)\", \"Ширина\", "
                              "\"Высота\", \"Длительность\", \"Звук\") VALUES (?,?,?,?,?,?,?)"),
            {QVariant::fromValue<qlonglong>(title), e.file, e.size, e.width, e.height, e.duration, e.audio});
    }
    QVariant Scalar(const QString& sql, const QVariantList& values = {}) {
        return TRawDb(path_).Scalar(sql, values);
    }
    QVariant TitleField(std::int64_t id, const QString& field) {
        return Scalar("SELECT " + TCatalogSchema::Quoted(field) + " FROM \"Sp\" WHERE \"ID\" = ?",
                      {QVariant::fromValue<qlonglong>(id)});
    }

private:
    QTemporaryDir dir_;
    QString path_;
};

} // namespace tolvane::test
