// Long texts are read only as far as they can be shown, and no edit stores or compares a start
// of a text in place of the whole of it.
#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "RunCommand.h"
#include "TestCatalog.h"
#include "app/CatalogForm.h"
#include "app/CatalogStore.h"
#include "app/ErrorReporter.h"
#include "app/RecordSource.h"
#include "app/SqliteHandle.h"
#include "app/WriteConflict.h"
#include "grid/base/ShownText.h"

namespace tolvane {
namespace {

const QString kName = QString::fromUtf8("Серия");
const QString kAudio = QString::fromUtf8("Звук");
const QString kEmoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // one character, two UTF-16 units

// The stored name compared byte for byte with a text.
bool StoredNameIs(test::TTestCatalog& catalogue, const QString& text) {
    return catalogue.Scalar(QString::fromUtf8("SELECT count(*) FROM \"Серии\" WHERE CAST(\"Серия\" AS BLOB) = ?"),
                            {text.toUtf8()})
               .toInt() == 1;
}

int ColumnOf(const QAbstractItemModel& model, const QString& label) {
    for (int c = 0; c < model.columnCount(); ++c)
        if (model.headerData(c, Qt::Horizontal).toString() == label) return c;
    return -1;
}

TEST(LongTextRead, TheWindowReadsTheStartOfALongNameAndAnEditOfTheEpisodeLeavesItWhole) {
    test::TTestCatalog catalogue;
    const std::int64_t title = catalogue.AddTitle("Nana");
    const QString name = (QString::fromUtf8("Нана, серия ") + kEmoji + " ").repeated(40'000);
    catalogue.AddEpisode(title, {name, 700LL, 640, 480, 1'000});
    QStringList errors;
    auto previous = TErrorReporter::SetSink([&errors](const QString& m) { errors << m; });
    {
        TCatalogForm form(catalogue.Path());
        form.show();
        QCoreApplication::processEvents();
        const int field = form.Series.FieldIndex(kName);
        const QString held = form.Series.ValueAt(1, field).toString();
        EXPECT_LT(held.size(), 2 * MaxShownLineChars) << "held: " << held.size() << " of " << name.size();
        EXPECT_TRUE(name.startsWith(held));
        QTableView& table = *form.DBGrid2;
        const QString shown = table.model()->index(0, ColumnOf(*table.model(), kName)).data().toString();
        EXPECT_GE(shown.size(), MaxShownLineChars - 1);
        EXPECT_TRUE(name.startsWith(shown));

        // The audio typed into its cell editor and confirmed with Enter.
        const QModelIndex cell = table.model()->index(0, ColumnOf(*table.model(), kAudio));
        table.setFocus();
        table.setCurrentIndex(cell);
        table.edit(cell);
        auto* editor = qobject_cast<QLineEdit*>(table.indexWidget(cell));
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        for (QChar c : QString("OPUS")) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(editor, &press);
        }
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(editor, &enter);
        QCoreApplication::processEvents();
        EXPECT_EQ(catalogue.Scalar(QString::fromUtf8("SELECT \"Звук\" FROM \"Серии\"")).toString(), "OPUS");
        EXPECT_TRUE(StoredNameIs(catalogue, name));
    }
    TErrorReporter::SetSink(std::move(previous));
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
    EXPECT_TRUE(StoredNameIs(catalogue, name));
    const TRun shown = Tolvane({"show", "--db", catalogue.Path(), QString::number(title)});
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find(name.toStdString()), std::string::npos) << "show prints the whole name";
}

// A source reading texts cut to 100 characters: which are cut, and what editing either field of a
// record with a cut name stores.
TEST(LongTextRead, AFieldReadCutIsReadWholeWhenItsEditBegins) {
    const QString a99 = QString("a").repeated(99);
    const struct {
        const char* what;
        QString name;
        QString held; // what the source holds of the name
        bool cut;
    } cases[] = {
        {"100 characters, one of two units", a99 + kEmoji, a99 + kEmoji, false},
        {"a character more", a99 + kEmoji + "b", a99 + kEmoji, true},
        {"a thousand more", a99 + kEmoji + QString("b").repeated(1000), a99 + kEmoji, true},
        {"ten thousand, not ASCII", QString::fromUtf8("ж").repeated(10'000), QString::fromUtf8("ж").repeated(100), true},
    };
    for (const auto& c : cases) {
        for (const bool editName : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (editName ? ", name edited" : ", audio edited"));
            test::TTestCatalog catalogue;
            catalogue.AddEpisode(catalogue.AddTitle("Nana"), {c.name, 700LL, 640, 480, 1'000});
            TCatalogStore store;
            store.Open(catalogue.Path(), TOpenMode::omReadWrite);
            TRecordSource episodes(TCatalogSchema::Episodes());
            episodes.SetTextLimit(100);
            episodes.Open(store);
            const int name = episodes.FieldIndex(kName), audio = episodes.FieldIndex(kAudio);
            EXPECT_EQ(episodes.ValueAt(1, name).toString(), c.held);
            EXPECT_EQ(episodes.IsCutAt(1, name), c.cut);

            const QString typed = editName ? "short.mkv" : "OPUS";
            episodes.SetValue(editName ? name : audio, typed);
            EXPECT_NO_THROW(episodes.Post());
            EXPECT_TRUE(StoredNameIs(catalogue, editName ? typed : c.name));
            EXPECT_EQ(catalogue.Scalar(QString::fromUtf8("SELECT \"Звук\" FROM \"Серии\"")).toString(),
                      editName ? "AAC" : "OPUS");
            EXPECT_EQ(episodes.WholeTextAt(1, name), editName ? typed : c.name);
            store.Close();
        }
    }
}

// Another writer changed the name after it was read cut: the edit begins from what is stored now,
// and a name set back to it is no edit at all.
TEST(LongTextRead, AnEditOfANameReadCutStartsFromTheNameStoredNow) {
    test::TTestCatalog catalogue;
    const QString before = QString("x").repeated(30), after = QString("y").repeated(30);
    catalogue.AddEpisode(catalogue.AddTitle("Nana"), {before, 700LL, 640, 480, 1'000});
    TCatalogStore store;
    store.Open(catalogue.Path(), TOpenMode::omReadWrite);
    TRecordSource episodes(TCatalogSchema::Episodes());
    episodes.SetTextLimit(10);
    episodes.Open(store);
    const int name = episodes.FieldIndex(kName);
    ASSERT_TRUE(episodes.IsCutAt(1, name));
    test::TRawDb(catalogue.Path()).Exec(QString::fromUtf8("UPDATE \"Серии\" SET \"Серия\" = ?"), {after});
    episodes.SetValue(name, after);
    EXPECT_FALSE(episodes.Modified());
    EXPECT_EQ(episodes.WholeTextAt(1, name), after);
    store.Close();
}

// The window's episode source reading a catalogue whose episodes are (key, name) in this order of
// insertion, in one of the shapes a catalogue file may give its episodes table.
TEST(LongTextRead, TheStartOfALongNameIsReadWithoutLoadingTheRest) {
    const QString longName = "a" + QString::fromUtf8("ж").repeated(4'000'000); // 8 MB
    const QByteArray bytes("\x00\xff", 2); // a text column's affinity keeps bytes as they are
    const QVariantList names{"short", longName, bytes, QVariant(QMetaType::fromType<QString>())};
    const QVariantList keys{4LL, 1LL, 3LL, 2LL}; // the row ids are 1 to 4
    const struct {
        const char* what;
        const char* encoding;
        const char* key;    // the key column's declaration
        const char* extra;  // after the columns, inside and outside the parentheses
        bool unloaded;      // whether the name is read without loading it whole
    } shapes[] = {
        {"as the viewer makes it", "UTF-8", "\"ID\" INTEGER PRIMARY KEY AUTOINCREMENT", ")", true},
        {"a key that is not the row id", "UTF-8", "\"ID\" INTEGER", ")", true},
        {"a column named rowid", "UTF-8", "\"ID\" INTEGER", ", \"rowid\" INTEGER DEFAULT 2)", true},
        {"a table without row ids", "UTF-8", "\"ID\" INTEGER PRIMARY KEY", ") WITHOUT ROWID", false},
        {"texts kept in UTF-16", "UTF-16le", "\"ID\" INTEGER PRIMARY KEY AUTOINCREMENT", ")", false},
    };
    for (const auto& shape : shapes) {
        SCOPED_TRACE(shape.what);
        QTemporaryDir dir;
        const QString path = dir.filePath("catalogue.db");
        {
            test::TRawDb raw(path);
            raw.Exec(QString("PRAGMA encoding = '%1'").arg(shape.encoding));
            QSqlDatabase db = raw.Db();
            TCatalogSchema::Create(db);
            raw.Exec(QString::fromUtf8("DROP TABLE \"Серии\""));
            raw.Exec(QString::fromUtf8("CREATE TABLE \"Серии\" (%1, \"Название\" INTEGER, \"Серия\" VARCHAR(50), "
                                       "\"Объём (байт)\" BIGINT, \"Ширина\" INTEGER, \"Высота\" INTEGER, "
                                       "\"Длительность\" INTEGER, \"Звук\" VARCHAR(50), "
                                       "\"Субтитры встроенные\" VARCHAR(50), \"Субтитры внешние\" VARCHAR(50)%2")
                         .arg(QString::fromUtf8(shape.key), QString::fromUtf8(shape.extra)));
            raw.Exec(QString::fromUtf8("INSERT INTO \"Sp\" (\"ID\", \"Название\") VALUES (1, 'Nana')"));
            for (int e = 0; e < keys.size(); ++e)
                raw.Exec(QString::fromUtf8("INSERT INTO \"Серии\" (\"ID\", \"Название\", \"Серия\", "
                                           "\"Объём (байт)\") VALUES (?, 1, ?, 700)"),
                         {keys[e], names[e]});
        }
        TCatalogStore store;
        store.Open(path, TOpenMode::omReadOnly);
        TRecordSource episodes(TCatalogSchema::Episodes());
        episodes.SetTextLimit(100);
        sqlite3_int64 before = 0, now = 0, highest = 0;
        sqlite3_status64(SQLITE_STATUS_MEMORY_USED, &before, &highest, 1);
        episodes.Open(store);
        sqlite3_status64(SQLITE_STATUS_MEMORY_USED, &now, &highest, 0);
        // Loading the name whole takes its 8 MB; the cache of pages walked past it at most 2.
        EXPECT_EQ(highest - before < 4'000'000, shape.unloaded) << "SQLite took " << highest - before << " bytes";

        ASSERT_EQ(episodes.RecordCount(), 4);
        const int name = episodes.FieldIndex(kName);
        const QVariantList expected{longName.left(100), QVariant(QMetaType::fromType<QString>()), bytes, "short"};
        for (int r = 1; r <= 4; ++r) {
            SCOPED_TRACE(r);
            EXPECT_EQ(episodes.ValueAt(r, episodes.FieldIndex("ID")).toLongLong(), r);
            const QVariant held = episodes.ValueAt(r, name);
            EXPECT_EQ(held.typeId(), expected[r - 1].typeId());
            EXPECT_EQ(held.isNull(), expected[r - 1].isNull());
            EXPECT_EQ(held, expected[r - 1]);
            EXPECT_EQ(episodes.IsCutAt(r, name), r == 1);
            EXPECT_EQ(episodes.ValueAt(r, episodes.FieldIndex(QString::fromUtf8("Объём (байт)"))).toLongLong(), 700);
        }
        EXPECT_EQ(episodes.WholeTextAt(1, name), longName);
    }
}

// The episodes and totals of a title whose first episode has a name of 2 MB, read as the window
// reads them, from a fresh connection: the values after the name, and the texts, are the same
// whatever indexes the file has, and an index keeping them spares the walk of the name's pages.
TEST(LongTextRead, TheValuesAfterALongNameAreReadWithoutWalkingItWhereAnIndexKeepsThem) {
    const QString all = QString::fromUtf8("\"Название\", \"Объём (байт)\", \"Ширина\", \"Высота\", "
                                          "\"Длительность\", \"Звук\", \"Субтитры встроенные\", \"Субтитры внешние\"");
    const QString drop = QString::fromUtf8("DROP INDEX \"Серии по названию\"; ");
    const struct {
        const char* what;
        QString indexes; // statements run on a new catalogue
        bool walks;      // whether reading walks the name's pages
    } shapes[] = {
        {"as new catalogues are made", "", false},
        {"the index of earlier catalogues", drop + QString::fromUtf8("CREATE INDEX i ON \"Серии\" (\"Название\")"), true},
        {"no index", drop, true},
        {"a partial index keeping all", drop + "CREATE INDEX p ON \"Серии\" (" + all + QString::fromUtf8(") WHERE \"Объём (байт)\" > 0"), true},
        // Bound to it, a query by the key would scan it whole for every title.
        {"an index keeping all, its key ordered without case",
         drop + QString::fromUtf8("CREATE INDEX n ON \"Серии\" (\"Название\" COLLATE NOCASE, ") + all.mid(12) + ")", true},
        {"a plain index and one keeping all in another order",
         drop + QString::fromUtf8("CREATE INDEX a ON \"Серии\" (\"Название\"); CREATE INDEX z ON \"Серии\" (\"Название\", "
                                  "\"Субтитры внешние\", \"Звук\", \"Длительность\", \"Высота\", \"Ширина\", "
                                  "\"Объём (байт)\", \"Субтитры встроенные\")"),
         false},
    };
    const QString longName = QString::fromUtf8("Серия ").repeated(350'000); // 2.1 MB
    const QString longAudio = QString::fromUtf8("звук ").repeated(60);
    const QVariant none(QMetaType::fromType<QString>());
    const struct {
        QString name;
        QVariant size, width, height, duration;
        QString audio;
    } episodes[] = {
        {longName, 700LL, 640, 480, 1'000, "OPUS"},
        {"b.mkv", QVariant(), 1920, 1080, 2'000, longAudio},
        {longName, 5'000'000'000LL, 320, 200, 3'000, "AAC"},
    };
    for (const auto& shape : shapes) {
        SCOPED_TRACE(shape.what);
        test::TTestCatalog catalogue;
        for (const QString& statement : shape.indexes.split("; ", Qt::SkipEmptyParts))
            test::TRawDb(catalogue.Path()).Exec(statement);
        const std::int64_t other = catalogue.AddTitle("Other");
        catalogue.AddEpisode(other, {"other.mkv", 1LL, 1, 1, 1});
        const std::int64_t title = catalogue.AddTitle("Nana");
        for (const auto& e : episodes) catalogue.AddEpisode(title, {e.name, e.size, e.width, e.height, e.duration, e.audio});

        TCatalogStore store;
        store.Open(catalogue.Path(), TOpenMode::omReadOnly);
        TRecordSource series(TCatalogSchema::Episodes()), totals(TCatalogSchema::Totals());
        series.SetTextLimit(100);
        totals.SetTextLimit(100);
        series.SetFilter(TFilterExpression::EqualsOf(series.Definition(), QString::fromUtf8("Название"), std::to_string(title)));
        series.SetFiltered(true);
        totals.SetFilter(TFilterExpression::EqualsOf(totals.Definition(), "ID", std::to_string(title)));
        totals.SetFiltered(true);
        sqlite3* db = SqliteHandle(store.Database());
        int before = 0, after = 0, highest = 0;
        sqlite3_db_status(db, SQLITE_DBSTATUS_CACHE_MISS, &before, &highest, 0);
        series.Open(store);
        totals.Open(store);
        sqlite3_db_status(db, SQLITE_DBSTATUS_CACHE_MISS, &after, &highest, 0);
        // The name fills some 520 pages; the rest of what is read fits in a few.
        EXPECT_EQ(after - before > 400, shape.walks) << after - before << " pages read";

        ASSERT_EQ(series.RecordCount(), 3);
        for (int r = 1; r <= 3; ++r) {
            SCOPED_TRACE(r);
            const auto& e = episodes[r - 1];
            const auto at = [&](const char* field) { return series.ValueAt(r, series.FieldIndex(QString::fromUtf8(field))); };
            EXPECT_EQ(at("Серия").toString(), e.name.left(100));
            EXPECT_EQ(series.IsCutAt(r, series.FieldIndex(kName)), e.name.size() > 100);
            const auto number = [](const QVariant& v) { return v.isNull() ? QString("null") : v.toString(); };
            EXPECT_EQ(number(at("Объём (байт)")), number(e.size));
            EXPECT_EQ(number(at("Ширина")), number(e.width));
            EXPECT_EQ(number(at("Высота")), number(e.height));
            EXPECT_EQ(number(at("Длительность")), number(e.duration));
            EXPECT_EQ(at("Звук").toString(), e.audio.left(100));
            EXPECT_EQ(series.IsCutAt(r, series.FieldIndex(kAudio)), e.audio.size() > 100);
            EXPECT_TRUE(at("Субтитры внешние").isNull());
            EXPECT_EQ(series.WholeTextAt(r, series.FieldIndex(kAudio)), e.audio);
        }
        EXPECT_EQ(series.WholeTextAt(1, series.FieldIndex(kName)), longName);
        ASSERT_EQ(totals.RecordCount(), 1);
        EXPECT_EQ(totals.ValueAt(1, 1).toDouble(), 5'000'000'700.0);
        EXPECT_EQ(totals.ValueAt(1, 2).toDouble(), 6'000.0);
        store.Close();
    }
}

// The index found for one read is kept for the next; another program dropping it meanwhile costs
// no failed read.
TEST(LongTextRead, AKeptIndexDroppedByAnotherProgramIsLookedUpAgain) {
    test::TTestCatalog catalogue;
    const std::int64_t first = catalogue.AddTitle("First");
    catalogue.AddEpisode(first, {"a.mkv", 1LL, 1, 1, 1});
    const std::int64_t second = catalogue.AddTitle("Second");
    catalogue.AddEpisode(second, {"b.mkv", 2LL, 2, 2, 2});
    TCatalogStore store;
    store.Open(catalogue.Path(), TOpenMode::omReadOnly);
    TRecordSource series(TCatalogSchema::Episodes());
    series.SetTextLimit(100);
    const auto show = [&](std::int64_t title) {
        series.SetFilter(TFilterExpression::EqualsOf(series.Definition(), QString::fromUtf8("Название"), std::to_string(title)));
        series.SetFiltered(true);
    };
    show(first);
    series.Open(store);
    ASSERT_EQ(series.RecordCount(), 1);
    test::TRawDb(catalogue.Path()).Exec(QString::fromUtf8("DROP INDEX \"Серии по названию\""));
    EXPECT_NO_THROW(show(second));
    ASSERT_EQ(series.RecordCount(), 1);
    EXPECT_EQ(series.ValueAt(1, series.FieldIndex(kName)).toString(), "b.mkv");
    store.Close();
}

} // namespace
} // namespace tolvane
