#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include "TestCatalog.h"
#include "app/CatalogError.h"
#include "app/CatalogStore.h"

namespace tolvane {
namespace {

using test::TRawDb;
using test::TTestCatalog;

std::string OpenError(const QString& path) {
    TCatalogStore store;
    try {
        store.Open(path);
    } catch (const ECatalogError& e) {
        EXPECT_FALSE(store.IsOpen());
        return e.what();
    }
    return "opened";
}

// What holds for a catalogue wherever it lives.
class CatalogStoreTest : public ::testing::TestWithParam<test::TEngine> {};
TOLVANE_ON_BOTH_ENGINES(CatalogStoreTest);

TEST_P(CatalogStoreTest, OpensACatalogue) {
    TTestCatalog catalogue(GetParam());
    TCatalogStore store;
    store.Open(catalogue.Path());
    EXPECT_TRUE(store.IsOpen());
    EXPECT_FALSE(store.ReadOnly());
    store.Close();
    EXPECT_FALSE(store.IsOpen());
}

TEST(CatalogStore, MissingFileIsNamedAndNotCreated) {
    TTestCatalog catalogue;
    const QString path = catalogue.Folder("missing.db");
    EXPECT_EQ(OpenError(path), (path + ": no such file").toStdString());
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(CatalogStore, FolderIsNotAFile) {
    TTestCatalog catalogue;
    const QString path = catalogue.Folder("");
    EXPECT_EQ(OpenError(path), (path + ": not a file").toStdString());
}

TEST(CatalogStore, TextFileIsNotACatalogue) {
    TTestCatalog catalogue;
    const QString path = catalogue.Folder("notes.db");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("These are not the tables you are looking for.\n");
    f.close();
    const std::string error = OpenError(path);
    EXPECT_EQ(error.rfind((path + ": not a catalogue").toStdString(), 0), 0u) << error;
}

TEST(CatalogStore, LockedCatalogueIsNotCalledForeign) {
    TTestCatalog catalogue;
    TRawDb raw(catalogue.Path());
    raw.Exec("BEGIN EXCLUSIVE");
    const std::string error = OpenError(catalogue.Path());
    raw.Exec("COMMIT");
    EXPECT_EQ(error.rfind((catalogue.Path() + ": ").toStdString(), 0), 0u) << error;
    EXPECT_NE(error.find("locked"), std::string::npos) << error;
    EXPECT_EQ(error.find("not a catalogue"), std::string::npos) << error;
}

TEST(CatalogStore, DatabaseWithoutTheTablesIsNotACatalogue) {
    TTestCatalog catalogue;
    const QString path = catalogue.Folder("other.db");
    { TRawDb(path).Exec("CREATE TABLE t (x INTEGER)"); }
    EXPECT_EQ(OpenError(path), (path + ": not a catalogue (no table \"Sp\")").toStdString());
}

TEST(CatalogStore, TotalsMustBeAViewOrTableWithTheSums) {
    TTestCatalog catalogue;
    { TRawDb(catalogue.Path()).Exec("DROP VIEW \"Rjk\""); }
    EXPECT_EQ(OpenError(catalogue.Path()),
              (catalogue.Path() + ": not a catalogue (no view or table \"Rjk\")").toStdString());
    { TRawDb(catalogue.Path()).Exec("CREATE TABLE \"Rjk\" (x INTEGER)"); }
    EXPECT_EQ(OpenError(catalogue.Path()),
              (catalogue.Path() + QString::fromUtf8(": not a catalogue (\"Rjk\" lacks \"Название\", "
                                                    "\"Sum-Объём(байт)\", \"Sum-Длительность\", \"ID\")"))
                  .toStdString());
}

TEST(CatalogStore, AViewThatCannotBeReadIsNamedAfterTheObjectsBeforeIt) {
    // The view reads a table that is gone: the schema is then checked object by object.
    const struct {
        const char* extra;
        const char* expected;
    } cases[] = {{"", "no such table"}, {"DROP TABLE \"Sp\"", "no table \"Sp\""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extra);
        TTestCatalog catalogue;
        {
            TRawDb raw(catalogue.Path());
            raw.Exec("DROP VIEW \"Rjk\"");
            raw.Exec("CREATE TABLE gone (x INTEGER)");
            raw.Exec("CREATE VIEW \"Rjk\" AS SELECT x FROM gone");
            raw.Exec("DROP TABLE gone");
            if (*c.extra) raw.Exec(c.extra);
        }
        const std::string error = OpenError(catalogue.Path());
        EXPECT_EQ(error.rfind((catalogue.Path() + ": ").toStdString(), 0), 0u) << error;
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
    }
}

TEST(CatalogStore, MissingFieldIsNamed) {
    TTestCatalog catalogue;
    const QString path = catalogue.Folder("old.db");
    {
        TRawDb raw(path);
        raw.Exec(QString::fromUtf8(
            "CREATE TABLE \"Sp\" (\"ID\" INTEGER PRIMARY KEY, \"Название\" TEXT, \"Тип\" TEXT, "
            "\"Комментарий\" TEXT)"));
    }
    const std::string error = OpenError(path);
    EXPECT_NE(error.find("Количество серий"), std::string::npos) << error;
}

TEST(CatalogStore, AnyCatalogueMadeElsewhereOpens) {
    // Same tables and view written by hand, with other column types and extra columns.
    TTestCatalog catalogue;
    const QString path = catalogue.Folder("foreign.db");
    {
        TRawDb raw(path);
        raw.Exec(QString::fromUtf8(
            "CREATE TABLE \"Sp\" (\"ID\" INTEGER PRIMARY KEY, \"Название\" TEXT, \"Тип\" TEXT, "
            "\"Количество серий\" TEXT, \"Комментарий\" TEXT, \"Extra\" BLOB)"));
        raw.Exec(QString::fromUtf8(
            "CREATE TABLE \"Серии\" (\"ID\" INTEGER PRIMARY KEY, \"Название\" INT, \"Серия\" "
            "TEXT, \"Объём (байт)\" INT, \"Ширина\" INT, \"Высота\" INT, \"Длительность\" INT, "
            "\"Звук\" TEXT, \"Субтитры встроенные\" TEXT, \"Субтитры внешние\" TEXT)"));
        raw.Exec(QString::fromUtf8(
            "CREATE VIEW \"Rjk\" AS SELECT \"Название\", 0.0 AS \"Sum-Объём(байт)\", 0.0 AS "
            "\"Sum-Длительность\", \"ID\" FROM \"Sp\""));
    }
    EXPECT_EQ(OpenError(path), "opened");
}

TEST_P(CatalogStoreTest, ReadOnlyOpeningRefusesWrites) {
    TTestCatalog catalogue(GetParam());
    TCatalogStore store;
    store.Open(catalogue.Path(), TOpenMode::omReadOnly);
    EXPECT_TRUE(store.ReadOnly());
    QSqlQuery q(store.Database());
    EXPECT_FALSE(q.exec("INSERT INTO \"Sp\" (\"Тип\") VALUES ('TV')"));
}

} // namespace
} // namespace tolvane
