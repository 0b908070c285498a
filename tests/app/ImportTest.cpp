#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

#include "RunCommand.h"
#include "RunProgram.h"
#include "TestCatalog.h"
#include "app/CatalogError.h"
#include "app/CatalogStore.h"
#include "app/CommandLine.h"
#include "app/import/CatalogImport.h"
#include "app/import/MdbTableSource.h"

namespace tolvane {
namespace {

const QString kFruit = QString(TOLVANE_TEST_DATA) + "/access/fruit.mdb";

QString U(const char* text) {
    return QString::fromUtf8(text);
}

// Tables held in memory, read through the same interface as an Access file.
class TMemoryTables : public TTableSource {
public:
    struct TTable {
        QStringList columns;
        std::vector<TRow> rows;
    };
    std::map<QString, TTable> tables;

    QStringList Tables() override {
        QStringList names;
        for (const auto& [name, table] : tables) names << name;
        return names;
    }
    QStringList Columns(const QString& table) override { return tables.at(table).columns; }
    void ReadRows(const QString& table, const std::function<void(const TRow&)>& row) override {
        for (const TRow& r : tables.at(table).rows) row(r);
    }
};

const QStringList kTitleColumns = {U("Комментарий"), "ID", U("Название"), U("Тип"), U("Количество серий")};
const QStringList kEpisodeColumns = {
    "ID",        U("Название"),     U("Серия"), U("Объём (байт)"),        U("Ширина"),
    U("Высота"), U("Длительность"), U("Звук"),  U("Субтитры встроенные"), U("Субтитры внешние"),
    "Extra"};

TTableSource::TRow Episode(QVariant id, QVariant title, QVariant width, QVariant duration,
                           QVariant size = 1000LL) {
    return {id, title, U("Серия 1.mkv"), size, width, 480LL, duration, "AAC", QVariant(), "SRT", "ignored"};
}

TMemoryTables Catalogue() {
    TMemoryTables source;
    source.tables[U("Sp")] = {kTitleColumns,
                              {{U("Любимое"), 3LL, U("Наруто"), "TV", "2"},
                               {QVariant(), 7LL, "Nana", "OVA", 2LL},
                               {QVariant(), QVariant(), "no key", "TV", "1"},
                               {QVariant(), 3LL, "same key", "TV", "1"}}};
    source.tables[U("Серии")] = {
        kEpisodeColumns,
        {Episode(1LL, 3LL, 640LL, 1500LL), Episode(2LL, 3LL, 640.0, "61000", 5'000'000'000LL),
         Episode(3LL, 7LL, "wide", 10LL), Episode(4LL, 7LL, 640LL, 1500.5),
         Episode(5LL, 7LL, 640LL, 3'000'000'000LL), Episode(6LL, 7LL, QVariant(), QVariant())}};
    return source;
}

TEST(ImportTest, CopiesTitlesAndEpisodesAndSkipsWhatDoesNotFit) {
    QTemporaryDir dir;
    const QString target = dir.filePath(U("каталог.db"));
    TMemoryTables source = Catalogue();
    const auto reports = TCatalogImport::Run(source, "memory", target);

    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].Table, "Sp");
    EXPECT_EQ(reports[0].Read, 4);
    EXPECT_EQ(reports[0].Skipped,
              (QStringList{U("row 3: \"ID\": no key"), U("row 4: \"ID\": duplicate key 3")}));
    EXPECT_EQ(reports[1].Table, U("Серии"));
    EXPECT_EQ(reports[1].Read, 6);
    EXPECT_EQ(reports[1].Skipped, (QStringList{U("row 3: \"Ширина\": \"wide\" is not a whole number"),
                                               U("row 4: \"Длительность\": \"1500.5\" is not a whole number"),
                                               U("row 5: \"Длительность\": 3000000000 is out of range")}));

    // The result is a catalogue the viewer opens, with keys, text and the totals view intact.
    TCatalogStore store;
    EXPECT_NO_THROW(store.Open(target, TOpenMode::omReadOnly));
    test::TRawDb raw(target);
    EXPECT_EQ(raw.Scalar(U("SELECT group_concat(\"ID\" || ':' || \"Название\" || ':' || \"Тип\" || ':' || "
                           "\"Количество серий\" || ':' || ifnull(\"Комментарий\", '-'), '|') FROM \"Sp\""))
                  .toString(),
              U("3:Наруто:TV:2:Любимое|7:Nana:OVA:2:-"));
    EXPECT_EQ(raw.Scalar(U("SELECT group_concat(\"ID\" || ':' || \"Ширина\" || ':' || \"Длительность\", '|') "
                           "FROM \"Серии\""))
                  .toString(),
              "1:640:1500|2:640:61000");
    EXPECT_EQ(raw.Scalar(U("SELECT count(*) FROM \"Серии\" WHERE \"ID\" = 6 AND \"Ширина\" IS NULL")).toInt(),
              1);
    EXPECT_EQ(raw.Scalar(U("SELECT \"Sum-Объём(байт)\" FROM \"Rjk\" WHERE \"ID\" = 3")).toLongLong(),
              5'000'001'000LL);
}

TEST(ImportTest, FillsAnEmptyServerDatabaseAsItFillsANewFileAndNothingElse) {
    QTemporaryDir dir;
    const QString file = dir.filePath("imported.db");
    test::TTestServer& server = test::TTestServer::Get();
    const QString uri = server.Uri(server.NewDatabase());
    TMemoryTables source = Catalogue();
    const auto toFile = TCatalogImport::Run(source, "memory", file);
    const auto toServer = TCatalogImport::Run(source, "memory", uri);
    ASSERT_EQ(toServer.size(), toFile.size());
    for (std::size_t t = 0; t < toFile.size(); ++t) EXPECT_EQ(toServer[t].Skipped, toFile[t].Skipped);
    const QStringList rows = test::AllRows(file);
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(test::AllRows(uri), rows);
    // New titles are numbered after the imported keys.
    test::TRawDb(uri).Exec(U("INSERT INTO \"Sp\" (\"Название\") VALUES (?)"), {"new"});
    EXPECT_EQ(test::TRawDb(uri).Scalar(U("SELECT max(\"ID\") FROM \"Sp\"")).toInt(), 8);
    // A second import finds the catalogue there and writes nothing.
    EXPECT_THROW(TCatalogImport::Run(source, "memory", uri), ECatalogError);
    EXPECT_EQ(test::AllRows(uri).size(), 6);
}

TEST(ImportTest, MissingTablesAndFieldsAreNamedAndNothingIsWritten) {
    QTemporaryDir dir;
    const QString target = dir.filePath("new.db");
    struct Case {
        std::function<void(TMemoryTables&)> damage;
        QString message;
    } cases[] = {
        {[](TMemoryTables& s) { s.tables.erase(U("Серии")); }, U("memory: no table \"Серии\"")},
        {[](TMemoryTables& s) { s.tables[U("Sp")].columns[1] = "Key"; },
         U("memory: table \"Sp\" lacks \"ID\"")},
        {[](TMemoryTables& s) {
             s.tables[U("Серии")].columns = {"ID", U("Серия")};
         },
         U("memory: table \"Серии\" lacks \"Название\", \"Объём (байт)\", \"Ширина\", \"Высота\", "
           "\"Длительность\", \"Звук\", \"Субтитры встроенные\", \"Субтитры внешние\"")},
    };
    for (const Case& c : cases) {
        TMemoryTables source = Catalogue();
        c.damage(source);
        try {
            TCatalogImport::Run(source, "memory", target);
            ADD_FAILURE() << "no error: " << c.message.toStdString();
        } catch (const ECatalogError& e) {
            EXPECT_EQ(QString::fromUtf8(e.what()), c.message);
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList())
            << c.message.toStdString();
    }
}

TEST(MdbTableSourceTest, ReadsARealAccessFile) {
    TMdbTableSource source(kFruit);
    EXPECT_EQ(source.Tables(),
              (QStringList{"Fruit", "Fruit Salad", "Veggie Salad", "Muffin/Bread", "Dried"}));
    EXPECT_EQ(source.Columns("Fruit"), (QStringList{"Fruit", "Fiber", "Fat", "Protien", "Sugar", "Vit A",
                                                    "Vit C", "Vit B1", "Vit B2", "Vit B6", "Vit E"}));
    std::vector<TTableSource::TRow> rows;
    source.ReadRows("Fruit", [&](const TTableSource::TRow& row) { rows.push_back(row); });
    ASSERT_EQ(rows.size(), 37u);
    EXPECT_EQ(rows[0], (TTableSource::TRow{"Apple", 2LL, 0LL, 0LL, 12LL, 2LL, 15LL, 0LL, 0LL, 0LL, 0LL}));
    EXPECT_EQ(rows.back()[0], "Tomato");
    EXPECT_EQ(rows.back()[5].typeId(), QMetaType::LongLong);
    EXPECT_THROW(source.Columns("Sp"), ECatalogError);
}

TEST(ImportCommandTest, BadInputIsOneLineOfErrorAndWritesNothing) {
    QTemporaryDir dir;
    const QString text = dir.filePath("notes.mdb");
    {
        QFile f(text);
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(8192, 'x'));
    }
    const QString existing = dir.filePath("existing.db");
    {
        QFile f(existing);
        f.open(QIODevice::WriteOnly);
        f.write("keep me");
    }
    QTemporaryDir locked;
    QFile::setPermissions(locked.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    struct Case {
        QStringList args;
        std::string fragment;
    };
    std::vector<Case> cases = {
        {{"import", dir.filePath("missing.mdb"), dir.filePath("a.db")}, "missing.mdb: no such file"},
        {{"import", text, dir.filePath("b.db")}, "not an Access database"},
        {{"import", kFruit, dir.filePath("c.db")}, "fruit.mdb: no table \"Sp\""},
        {{"import", kFruit, existing}, "existing.db: already exists"},
        {{"import", kFruit, dir.filePath("no/such/folder/d.db")}, "no such folder"},
        {{"import"}, "needs an Access file"},
    };
    // A folder that cannot be written; root writes anywhere.
    if (!QFileInfo(locked.path()).isWritable())
        cases.push_back({{"import", kFruit, locked.filePath("e.db")}, "e.db: "});
    for (const auto& c : cases) {
        const TRun r = Tolvane(c.args);
        EXPECT_EQ(r.status, 1) << c.fragment;
        EXPECT_EQ(r.out, "") << c.fragment;
        EXPECT_NE(r.err.find(c.fragment), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"existing.db", "notes.mdb"}));
    QFile kept(existing);
    kept.open(QIODevice::ReadOnly);
    EXPECT_EQ(kept.readAll(), "keep me");
}

// mdbtools prints what it finds wrong from inside its calls: none of it reaches the user.
TEST(ImportTest, ADamagedAccessFileIsOneLineSayingSo) {
    QFile whole(kFruit);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    QTemporaryDir dir;
    for (const qsizetype size :
         {qsizetype(100 * 1024), qsizetype(4096), qsizetype(20000), bytes.size() - 1}) {
        SCOPED_TRACE(size);
        const QString damaged = dir.filePath(QString("first-%1.mdb").arg(size));
        QFile part(damaged);
        ASSERT_TRUE(part.open(QIODevice::WriteOnly));
        part.write(bytes.left(size));
        part.close();
        const QString target = dir.filePath(QString("new-%1.db").arg(size));
        const test::TProgramRun r = test::RunProgram({"import", damaged, target});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("tolvane: " + damaged.toStdString() + ": damaged Access file (", 0), 0u)
            << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_FALSE(QFileInfo::exists(target));
    }
}

} // namespace
} // namespace tolvane
