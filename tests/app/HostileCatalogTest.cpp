#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTableView>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <random>
#include <sstream>

#include "TestCatalog.h"
#include "app/CatalogError.h"
#include "app/CatalogForm.h"
#include "app/CatalogStore.h"
#include "app/CommandLine.h"
#include "app/ErrorReporter.h"
#include "app/TitleList.h"

namespace tolvane {
namespace {

using test::TEpisodeRow;
using test::TRawDb;
using test::TTestCatalog;

// What a file held: its bytes' digest, or none when there is no file.
std::optional<QByteArray> Digest(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// The tables of a catalogue declared some other way, without the keys' uniqueness.
void CreateLooseSchema(TRawDb& raw, const char* idType, const char* numberType) {
    raw.Exec(QString::fromUtf8("CREATE TABLE \"Sp\" (\"ID\" %1, \"Название\" %2, \"Тип\" %2, "
                               "\"Количество серий\" %2, \"Комментарий\" %2)")
                 .arg(idType, numberType));
    raw.Exec(QString::fromUtf8("CREATE TABLE \"Серии\" (\"ID\" %1, \"Название\" %1, \"Серия\" %2, "
                               "\"Объём (байт)\" %1, \"Ширина\" %1, \"Высота\" %1, \"Длительность\" %1, "
                               "\"Звук\" %2, \"Субтитры встроенные\" %2, \"Субтитры внешние\" %2)")
                 .arg(idType, numberType));
    raw.Exec(QString::fromUtf8(
        "CREATE VIEW \"Rjk\" AS SELECT s.\"Название\" AS \"Название\", "
        "SUM(CAST(e.\"Объём (байт)\" AS REAL)) AS \"Sum-Объём(байт)\", "
        "SUM(CAST(e.\"Длительность\" AS REAL)) AS \"Sum-Длительность\", s.\"ID\" AS \"ID\" "
        "FROM \"Sp\" s LEFT JOIN \"Серии\" e ON e.\"Название\" = s.\"ID\" GROUP BY s.\"ID\""));
}

const QString kEpisodesInsert = QString::fromUtf8(
    "INSERT INTO \"Серии\" (\"Название\", \"Серия\", \"Объём (байт)\", \"Ширина\", \"Высота\", "
    "\"Длительность\") VALUES (?,?,?,?,?,?)");

enum class TExpect {
    exError, // every way in refuses the file with one line
    exView,  // every way in shows the titles
};

struct THostileCase {
    const char* name;
    TExpect expect;
    // Makes the file at the path (in a folder of its own).
    std::function<void(TTestCatalog&, const QString&)> make;
    // A text that `list` must print, when the case shows something particular.
    const char* listed = "";
    // Another connection holds the file's exclusive lock, as a writer committing does.
    bool locked = false;
};

const THostileCase kCases[] = {
    {"Missing", TExpect::exError, [](TTestCatalog&, const QString&) {}},
    {"Empty", TExpect::exError, [](TTestCatalog&, const QString& path) { WriteBytes(path, {}); }},
    {"RandomBytes", TExpect::exError,
     [](TTestCatalog&, const QString& path) {
         std::mt19937 random(5);
         QByteArray bytes(65536, '\0');
         for (char& c : bytes) c = char(random());
         WriteBytes(path, bytes);
     }},
    {"AnotherSchema", TExpect::exError,
     [](TTestCatalog&, const QString& path) {
         TRawDb(path).Exec("CREATE TABLE notes (id INTEGER, text TEXT)");
     }},
    {"TruncatedFile", TExpect::exError,
     [](TTestCatalog& catalogue, const QString& path) {
         QFile::copy(catalogue.Path(), path);
         QFile(path).resize(QFileInfo(path).size() / 2);
     }},
    {"WrongColumnTypes", TExpect::exView,
     [](TTestCatalog&, const QString& path) {
         TRawDb raw(path);
         CreateLooseSchema(raw, "TEXT", "REAL");
         raw.Exec(QString::fromUtf8("INSERT INTO \"Sp\" VALUES ('1', 2.5, 3, 'four', x'05')"));
         raw.Exec(kEpisodesInsert, {"1", 7, "1000", 1.5, "480", "61000"});
     },
     "1\t2.5\t3\tfour\t  1 000 \t00:01:01,000"},
    {"TextInNumericFields", TExpect::exView,
     [](TTestCatalog& catalogue, const QString& path) {
         QFile::copy(catalogue.Path(), path);
         TRawDb raw(path);
         raw.Exec(QString::fromUtf8("INSERT INTO \"Sp\" (\"Название\") VALUES ('Text')"));
         raw.Exec(kEpisodesInsert, {1, "a.mkv", "big", "wide", "tall", "long"});
         raw.Exec(kEpisodesInsert, {"one", "b.mkv", 1, 2, 3, 4});
     },
     "1\tText\t\t\t  0 \t00:00:00,000"},
    {"NullsEverywhere", TExpect::exView,
     [](TTestCatalog& catalogue, const QString& path) {
         QFile::copy(catalogue.Path(), path);
         TRawDb raw(path);
         raw.Exec(QString::fromUtf8("INSERT INTO \"Sp\" (\"ID\") VALUES (1)"));
         raw.Exec(QString::fromUtf8("INSERT INTO \"Серии\" (\"ID\") VALUES (1)"));
         raw.Exec(kEpisodesInsert, {1, QVariant(), QVariant(), QVariant(), QVariant(), QVariant()});
     },
     "1\t\t\t\t\t00:00:00,000"},
    {"HundredThousandCharacterName", TExpect::exView,
     [](TTestCatalog& catalogue, const QString& path) {
         QFile::copy(catalogue.Path(), path);
         TRawDb raw(path);
         raw.Exec(QString::fromUtf8("INSERT INTO \"Sp\" (\"Название\") VALUES (?)"),
                  {QString(100000, QChar(0x416))});
         raw.Exec(kEpisodesInsert, {1, QString(100000, 'e'), 1, 2, 3, 4});
     }},
    {"DuplicateIds", TExpect::exView,
     [](TTestCatalog&, const QString& path) {
         TRawDb raw(path);
         CreateLooseSchema(raw, "INTEGER", "VARCHAR(50)");
         raw.Exec(QString::fromUtf8("INSERT INTO \"Sp\" VALUES (1, 'First', 'TV', '1', NULL)"));
         raw.Exec(QString::fromUtf8("INSERT INTO \"Sp\" VALUES (1, 'Second', 'OVA', '2', NULL)"));
         raw.Exec(
             QString::fromUtf8("INSERT INTO \"Серии\" (\"ID\", \"Название\", \"Серия\") VALUES (1, 1, 'a')"));
         raw.Exec(
             QString::fromUtf8("INSERT INTO \"Серии\" (\"ID\", \"Название\", \"Серия\") VALUES (1, 1, 'b')"));
     }},
    {"SizesBeyond64Bits", TExpect::exView,
     [](TTestCatalog& catalogue, const QString& path) {
         QFile::copy(catalogue.Path(), path);
         TRawDb raw(path);
         raw.Exec(QString::fromUtf8("INSERT INTO \"Sp\" (\"Название\") VALUES ('Huge')"));
         raw.Exec(kEpisodesInsert, {1, "a", 9223372036854775807LL, 1, 1, 1});
         raw.Exec(kEpisodesInsert, {1, "b", -1, 1, 1, 1});
     },
     "1\tHuge\t\t\t  9 223 372 036 854 775 808 \t00:00:00,002"},
    {"ReadOnlyFile", TExpect::exView,
     [](TTestCatalog& catalogue, const QString& path) {
         QFile::copy(catalogue.Path(), path);
         TRawDb(path).Exec(QString::fromUtf8("INSERT INTO \"Sp\" (\"Название\") VALUES ('Kept')"));
         QFile::setPermissions(path,
                               QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
     },
     "1\tKept\t"},
    {"TotalsKeptInATable", TExpect::exView,
     [](TTestCatalog&, const QString& path) {
         TRawDb raw(path);
         raw.Exec(QString::fromUtf8("CREATE TABLE \"Sp\" (\"ID\" INTEGER PRIMARY KEY, \"Название\" TEXT, "
                                    "\"Тип\" TEXT, \"Количество серий\" TEXT, \"Комментарий\" TEXT)"));
         raw.Exec(QString::fromUtf8("CREATE TABLE \"Серии\" (\"ID\" INTEGER PRIMARY KEY, \"Название\" INTEGER, "
                                    "\"Серия\" TEXT, \"Объём (байт)\" INTEGER, \"Ширина\" INTEGER, "
                                    "\"Высота\" INTEGER, \"Длительность\" INTEGER, \"Звук\" TEXT, "
                                    "\"Субтитры встроенные\" TEXT, \"Субтитры внешние\" TEXT)"));
         raw.Exec(QString::fromUtf8("CREATE TABLE \"Rjk\" (\"Название\" TEXT, \"Sum-Объём(байт)\" REAL, "
                                    "\"Sum-Длительность\" REAL, \"ID\" INTEGER PRIMARY KEY)"));
         raw.Exec(QString::fromUtf8("INSERT INTO \"Sp\" VALUES (1, 'Kept', 'TV', '2', NULL)"));
         raw.Exec(QString::fromUtf8("INSERT INTO \"Rjk\" VALUES ('Kept', 3000, 61000, 1)"));
     },
     "1\tKept\tTV\t2\t  3 000 \t00:01:01,000"},
    {"LockedByAnotherWriter", TExpect::exError,
     [](TTestCatalog& catalogue, const QString& path) { QFile::copy(catalogue.Path(), path); }, "", true},
};

struct TOutcome {
    bool ok = false;
    QStringList errors;
    QString out;
};

class HostileCatalogTest : public ::testing::TestWithParam<THostileCase> {
protected:
    void SetUp() override {
        path = catalogue.Folder("hostile.db");
        GetParam().make(catalogue, path);
        before = Digest(path);
        if (GetParam().locked) {
            writer = std::make_unique<TRawDb>(path);
            writer->Exec("BEGIN EXCLUSIVE");
        }
    }
    void TearDown() override {
        if (writer) writer->Exec("ROLLBACK");
    }

    TOutcome Open() {
        TOutcome o;
        try {
            TCatalogStore store;
            store.Open(path);
            o.ok = true;
        } catch (const ECatalogError& e) {
            o.errors << QString::fromStdString(e.what());
        }
        return o;
    }
    TOutcome Command(const QStringList& args) {
        std::ostringstream out, err;
        TOutcome o;
        o.ok = TCommandLine::Run(args, out, err) == 0;
        o.out = QString::fromStdString(out.str());
        if (!err.str().empty()) o.errors << QString::fromStdString(err.str()).chopped(1);
        EXPECT_TRUE(o.ok || o.out.isEmpty()) << "a refused file prints nothing";
        return o;
    }
    // Opens the window, searches, walks the first titles and paints it all, then closes it.
    TOutcome Window() {
        TOutcome o;
        auto previous = TErrorReporter::SetSink([&o](const QString& m) { o.errors << m; });
        {
            TCatalogForm form(path);
            o.ok = o.errors.isEmpty() && form.GV->GetRowCount() > 0;
            form.EFound->setText("T");
            form.EFound->setText("");
            for (int r = 0; r < std::min(3, form.GV->GetRowCount()); ++r) form.GV->ClickRow(r);
            form.resize(900, 600);
            (void)form.grab();
            form.close();
        }
        TErrorReporter::SetSink(std::move(previous));
        return o;
    }

    void Check(const char* surface, const TOutcome& o) {
        SCOPED_TRACE(surface);
        const THostileCase& c = GetParam();
        EXPECT_EQ(o.ok, c.expect == TExpect::exView) << o.errors.join(" | ").toStdString();
        if (c.expect == TExpect::exError) {
            EXPECT_EQ(o.errors.size(), 1);
        }
        for (const QString& e : o.errors) {
            EXPECT_FALSE(e.contains('\n')) << e.toStdString();
            EXPECT_FALSE(e.contains("Unable to") || e.contains("Error opening")) << "the database's words";
            EXPECT_TRUE(e.contains(path)) << "names the file: " << e.toStdString();
        }
        EXPECT_EQ(Digest(path), before) << "the file is unchanged";
    }

    TTestCatalog catalogue;
    QString path;
    std::optional<QByteArray> before;
    std::unique_ptr<TRawDb> writer;
};

TEST_P(HostileCatalogTest, EveryWayInRefusesOrShowsAndLeavesTheFile) {
    Check("open", Open());
    const TOutcome list = Command({"list", "--db", path});
    Check("list", list);
    if (*GetParam().listed) {
        EXPECT_TRUE(list.out.startsWith(QString::fromUtf8(GetParam().listed)))
            << list.out.left(300).toStdString();
    }
    Check("show", Command({"show", "--db", path, "1"}));
    const QString png = catalogue.Folder("shot.png");
    Check("screenshot", Command({"--screenshot", png, path}));
    Check("window", Window());
}

INSTANTIATE_TEST_SUITE_P(Files, HostileCatalogTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct TWhileOpenCase {
    const char* name;
    std::function<void(const QString&)> harm;
    const char* reason; // what the error says
};

class CatalogueHarmedWhileOpen : public ::testing::TestWithParam<TWhileOpenCase> {};

// The file goes away or shrinks under the open window; the user goes on searching, picking
// titles and editing. Nothing crashes, the edit that cannot be stored is reported in one line,
// and the viewer neither brings a deleted file back nor writes into a truncated one.
TEST_P(CatalogueHarmedWhileOpen, ReportsTheLostSaveAndLeavesTheFile) {
    TTestCatalog catalogue;
    for (const char* name : {"Alpha", "Beta", "Gamma"}) {
        const std::int64_t id = catalogue.AddTitle(name);
        catalogue.AddEpisode(id, {QString(name) + ".mkv", 1000, 640, 480, 1000});
    }
    const QString path = catalogue.Path();
    QStringList errors;
    auto previous = TErrorReporter::SetSink([&errors](const QString& m) { errors << m; });
    {
        TCatalogForm form(path);
        ASSERT_TRUE(errors.isEmpty()) << errors.join(" | ").toStdString();
        GetParam().harm(path);
        const std::optional<QByteArray> harmed = Digest(path);
        form.EFound->setText("B");
        form.EFound->setText("");
        form.GV->ClickRow(2);
        form.GV->ClickRow(0);
        form.EKoment->setText("edited");
        form.GV->ClickRow(1);
        (void)form.grab();
        form.close();
        EXPECT_EQ(Digest(path), harmed);
    }
    TErrorReporter::SetSink(std::move(previous));
    ASSERT_FALSE(errors.isEmpty()) << "the edit was not stored, and the user is told";
    EXPECT_TRUE(errors[0].startsWith(path + ": ") && errors[0].contains(GetParam().reason))
        << errors[0].toStdString();
    for (const QString& e : errors) EXPECT_FALSE(e.isEmpty() || e.contains('\n')) << e.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Harms, CatalogueHarmedWhileOpen,
    ::testing::Values(TWhileOpenCase{"Deleted", [](const QString& path) { ASSERT_TRUE(QFile::remove(path)); },
                                     "deleted or moved"},
                      TWhileOpenCase{"Truncated",
                                     [](const QString& path) { ASSERT_TRUE(QFile(path).resize(0)); },
                                     "no such table"},
                      TWhileOpenCase{"HalfTruncated",
                                     [](const QString& path) {
                                         ASSERT_TRUE(QFile(path).resize(QFileInfo(path).size() / 2));
                                     },
                                     "malformed"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tolvane
