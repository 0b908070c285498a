// The menu bar of the program's window: catalogues made, opened, exported and remembered, driven
// by the menus' keys and actions.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStatusBar>
#include <QLabel>
#include <QRegularExpression>
#include <QTimer>
#include <QProgressDialog>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>

#include "app/TestCatalog.h"
#include "app/CatalogForm.h"
#include "app/CommandLine.h"
#include "app/ErrorReporter.h"
#include "app/TitleList.h"
#include "app/window/BackgroundJob.h"
#include "app/window/FileChooser.h"
#include "app/window/ImportSource.h"
#include "app/window/MainMenu.h"
#include "app/window/MainWindow.h"
#include "app/window/RecentCatalogs.h"
#include "app/window/WindowSettings.h"
#include "app/CatalogLocation.h"
#include "app/CatalogSchema.h"
#include "app/NewCatalog.h"
#include "support/TestServer.h"
#include "window/ShownWindow.h"

namespace tolvane {
namespace {

using test::TTestCatalog;

const QString kComment = QString::fromUtf8("Комментарий");

class MainMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        TWindowSettings::Open()->clear();
        previous_ = TErrorReporter::SetSink([this](const QString& m) { errors << m; });
        previousAnswer_ = TFileChooser::SetAnswer([this](TFileQuestion q, const QString&, const QString& filter,
                                                          QString* chosen) {
            questions << q;
            if (chosen && !chosenFilter.isEmpty()) *chosen = filter.split(";;").value(chosenFilter.toInt());
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
    }
    void TearDown() override {
        window.reset();
        TFileChooser::SetAnswer(std::move(previousAnswer_));
        TErrorReporter::SetSink(std::move(previous_));
    }
    void Open(const QString& path) {
        window = test::ShownWindow(path);
    }
    TCatalogForm& Form() { return *window->Form(); }
    QAction& Action(const char* name) {
        QAction* action = window->Menu().Action(name);
        EXPECT_NE(action, nullptr) << name;
        return *action;
    }
    // A key pressed on whatever has the keyboard focus, as the keyboard sends it.
    static void Press(const QKeySequence& keys) {
        const QKeyCombination combination = keys[0];
        QPointer<QWidget> focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QKeyEvent press(QEvent::KeyPress, combination.key(), combination.keyboardModifiers());
        QCoreApplication::sendEvent(focus, &press);
        // The key may have closed what had the focus.
        if (!focus) return;
        QKeyEvent release(QEvent::KeyRelease, combination.key(), combination.keyboardModifiers());
        QCoreApplication::sendEvent(focus, &release);
    }
    static void Type(QWidget* box, const QString& text) {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(box, &press);
        }
    }
    int ListedTitles() { return Form().GV->GetRowCount(); }

    QTemporaryDir dir;
    std::unique_ptr<TMainWindow> window;
    QStringList errors;
    QStringList answers;     // what the file dialogs answer, in turn
    QString chosenFilter;    // the kind of file chosen in a save dialog, by its index
    QList<TFileQuestion> questions;

private:
    TErrorReporter::TSink previous_;
    TFileChooser::TAnswer previousAnswer_;
};

TEST_F(MainMenuTest, OpenStoresThePendingEditOfTheCatalogueItLeaves) {
    TTestCatalog first, second;
    const auto id = first.AddTitle("Nana", "TV", "47", "old");
    second.AddTitle("Akira", "Movie", "1");
    second.AddTitle("Mushishi", "TV", "26");
    Open(first.Path());
    Form().EKoment->setFocus();
    Type(Form().EKoment, " and new");

    answers << second.Path();
    Press(QKeySequence::Open);
    EXPECT_EQ(questions, QList<TFileQuestion>{TFileQuestion::fqOpen});
    EXPECT_EQ(first.TitleField(id, kComment).toString(), "old and new");
    EXPECT_EQ(Form().Conn.Path(), second.Path());
    EXPECT_EQ(ListedTitles(), 2);
    EXPECT_EQ(TRecentCatalogs::List(), (QStringList{second.Path(), first.Path()}));
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

TEST_F(MainMenuTest, OpenServerShowsTheServersCatalogueAndRemembersItWithoutThePassword) {
    test::TTestServer& server = test::TTestServer::Get();
    const QString secret = "w1nd0w-Pw";
    server.Exec("DO $$ BEGIN IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'keeper') THEN "
                "CREATE ROLE keeper LOGIN PASSWORD '" + secret + "'; END IF; END $$");
    const QString database = server.NewDatabase("keeper");
    const QString uri = server.Uri(database, "keeper", secret);
    TNewCatalog::Create(uri, [](QSqlDatabase& db) {
        QSqlQuery(db).exec(QString::fromUtf8("INSERT INTO \"Sp\" (\"Название\") VALUES ('Nana'), ('Akira')"));
    });
    TTestCatalog local;
    local.AddTitle("Mushishi", "TV", "26");
    Open(local.Path());

    // A text that names no server, and a server URI that cannot be read: one message each.
    for (const QString& wrong : {QString("ftp://host/oru"), QString("postgresql://keeper:" + secret + "@h:99999/oru")}) {
        SCOPED_TRACE(wrong.toStdString());
        errors.clear();
        answers << wrong;
        Action("actionOpenServer").trigger();
        ASSERT_EQ(errors.size(), 1);
        EXPECT_FALSE(errors[0].contains(secret)) << errors[0].toStdString();
        EXPECT_EQ(Form().Conn.Path(), local.Path());
    }
    errors.clear();
    answers << uri;
    Action("actionOpenServer").trigger();
    EXPECT_EQ(questions.last(), TFileQuestion::fqServer);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
    EXPECT_EQ(ListedTitles(), 2);
    const QStringList recent = TRecentCatalogs::List();
    ASSERT_EQ(recent.size(), 2);
    EXPECT_EQ(recent[0], TCatalogLocation::Parse(uri).Display());
    EXPECT_TRUE(recent[0].contains(database)) << recent[0].toStdString();
    EXPECT_FALSE(recent.join(' ').contains(secret));
    EXPECT_EQ(window->Menu().RecentActions().first()->data().toString(), recent[0]);
}

// An Access catalogue of many titles, as mdbtools would read it: keys, names and title keys.
class TManyTitles : public TTableSource {
public:
    static constexpr int kTitles = 300, kEpisodes = 3000;
    static const TSourceDef& Def(const QString& table) {
        return table == "Sp" ? TCatalogSchema::Titles() : TCatalogSchema::Episodes();
    }
    QStringList Tables() override { return {"Sp", QString::fromUtf8("Серии")}; }
    QStringList Columns(const QString& table) override {
        QStringList names;
        for (const TFieldDef& f : Def(table).Fields)
            if (f.IsStored()) names << f.Name;
        return names;
    }
    long long RowCount(const QString& table) override { return table == "Sp" ? kTitles : kEpisodes; }
    void ReadRows(const QString& table, const std::function<void(const TRow&)>& row) override {
        const int columns = static_cast<int>(Columns(table).size());
        for (qlonglong k = 1; k <= RowCount(table); ++k) {
            TRow values(columns);
            values[0] = k; // the key, then the name or the title's key
            values[1] = table == "Sp" ? QVariant(QString("Title %1").arg(k)) : QVariant((k - 1) / 10 + 1);
            row(values);
        }
    }
};

TEST_F(MainMenuTest, ImportShowsItsProgressAndCancelLeavesNoCatalogue) {
    TTestCatalog shown;
    shown.AddTitle("Mushishi", "TV", "26");
    Open(shown.Path());
    auto previous = TImportSource::SetOpener([](const QString&) { return std::make_unique<TManyTitles>(); });
    const QString target = dir.filePath("imported.db");

    // Held at the first row, the dialog is looked at and cancelled.
    QString label;
    bool modal = false;
    TBackgroundJob::TakePicture({1, 0, [&](QProgressDialog& dialog) {
                                     label = dialog.labelText();
                                     modal = dialog.isVisible() && dialog.isModal();
                                 }});
    answers << dir.filePath("old.mdb") << target;
    Action("actionImport").trigger();
    EXPECT_TRUE(label.startsWith("1 of 3300 rows\n\"Sp\"")) << label.toStdString();
    EXPECT_TRUE(modal);
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(Form().Conn.Path(), shown.Path());
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();

    answers << dir.filePath("old.mdb") << target;
    Action("actionImport").trigger();
    TImportSource::SetOpener(std::move(previous));
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
    EXPECT_EQ(Form().Conn.Path(), target);
    EXPECT_EQ(ListedTitles(), 300);
}

TEST_F(MainMenuTest, AFileThatCannotBeOpenedLeavesTheOpenCatalogueAndItsEdit) {
    TTestCatalog catalogue;
    const auto id = catalogue.AddTitle("Nana", "TV", "47", "old");
    QFile notes(dir.filePath("notes.db"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("not a catalogue at all");
    notes.close();
    const struct {
        const char* what;
        QString path;
    } cases[] = {{"not a catalogue", notes.fileName()}, {"no such file", dir.filePath("gone.db")}};
    Open(catalogue.Path());
    Type(Form().EKoment, " kept");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        errors.clear();
        answers << c.path;
        Action("actionOpen").trigger();
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].contains(c.path)) << errors[0].toStdString();
        EXPECT_EQ(Form().Conn.Path(), catalogue.Path());
        EXPECT_EQ(Form().EKoment->text(), "old kept");
    }
    EXPECT_EQ(catalogue.TitleField(id, kComment).toString(), "old");
}

TEST_F(MainMenuTest, OpenRecentKeepsTheLastTenNewestFirst) {
    std::vector<std::unique_ptr<TTestCatalog>> catalogues;
    for (int k = 0; k < 12; ++k) {
        catalogues.push_back(std::make_unique<TTestCatalog>());
        catalogues.back()->AddTitle(QString("Title %1").arg(k));
    }
    Open(catalogues[0]->Path());
    for (int k = 1; k < 12; ++k) ASSERT_TRUE(window->OpenCatalog(catalogues[k]->Path()));
    // Again the eighth: it moves to the top, not in twice.
    ASSERT_TRUE(window->OpenCatalog(catalogues[7]->Path()));
    QStringList expected{catalogues[7]->Path()};
    for (int k = 11; expected.size() < 10; --k)
        if (k != 7) expected << catalogues[k]->Path();
    QList<QAction*> recent = window->Menu().RecentActions();
    ASSERT_EQ(recent.size(), 10);
    for (int k = 0; k < 10; ++k) EXPECT_EQ(recent[k]->data().toString(), expected[k]) << k;

    recent[9]->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(Form().Conn.Path(), expected[9]);
    EXPECT_EQ(window->Menu().RecentActions().first()->data().toString(), expected[9]);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

TEST_F(MainMenuTest, NewMakesAnEmptyOrDemoCatalogueAndNeverReplacesAFile) {
    TTestCatalog catalogue;
    catalogue.AddTitle("Nana");
    Open(catalogue.Path());
    const struct {
        const char* action;
        QString answer;
        QString opened; // empty: refused
        int titles;
    } cases[] = {
        {"actionNew", dir.filePath("empty"), dir.filePath("empty.db"), 0},
        {"actionNewDemo", dir.filePath("demo.db"), dir.filePath("demo.db"), 250},
        {"actionNew", catalogue.Path(), {}, 250},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        errors.clear();
        const QString before = Form().Conn.Path();
        answers << c.answer;
        Action(c.action).trigger();
        if (c.opened.isEmpty()) {
            ASSERT_EQ(errors.size(), 1);
            EXPECT_TRUE(errors[0].contains("already exists")) << errors[0].toStdString();
            EXPECT_EQ(Form().Conn.Path(), before);
        } else {
            EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
            EXPECT_EQ(Form().Conn.Path(), c.opened);
        }
        EXPECT_EQ(ListedTitles(), c.titles);
    }
}

TEST_F(MainMenuTest, ExportWritesTheKindOfFileChosen) {
    TTestCatalog catalogue;
    catalogue.AddTitle("Nana", "TV", "47");
    Open(catalogue.Path());
    const struct {
        QString name;
        QString filter; // index of the kind chosen in the dialog
        QString written;
        QByteArray begins;
    } cases[] = {
        {"titles.csv", "1", "titles.csv", "ID,"},      // the suffix decides
        {"titles", "1", "titles.tsv", "ID\t"},         // else the kind chosen
        {"book", "2", "book.xlsx", "PK"},
        {"titles.csv", "0", "titles.csv", "ID,"},      // replaced, as the dialog asked
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written.toStdString());
        answers << dir.filePath(c.name);
        chosenFilter = c.filter;
        Action("actionExport").trigger();
        QFile file(dir.filePath(c.written));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll().startsWith(c.begins));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3) << "no part left behind";
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

TEST_F(MainMenuTest, QuitStoresThePendingEditAndClosesTheWindow) {
    TTestCatalog catalogue;
    const auto id = catalogue.AddTitle("Nana", "TV", "47", "old");
    Open(catalogue.Path());
    Form().EKoment->setFocus();
    Type(Form().EKoment, "!");
    Press(Action("actionQuit").shortcut());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(catalogue.TitleField(id, kComment).toString(), "old!");
}

TEST_F(MainMenuTest, TheWindowOpensWhereItWasLeft) {
    TTestCatalog catalogue;
    catalogue.AddTitle("Nana");
    Open(catalogue.Path());
    const QRect left(40, 50, 900, 700);
    window->setGeometry(left);
    window->close();
    Open(catalogue.Path());
    EXPECT_EQ(window->geometry(), left);
}

TEST_F(MainMenuTest, NoArgumentOpensTheLastCatalogueWhenTheFolderHasNoOruDb) {
    TTestCatalog last, here;
    last.AddTitle("Nana");
    TRecentCatalogs::Add(last.Path());
    const QString home = QDir::currentPath();
    const struct {
        const char* where;
        bool oruHere;
        QString opened;
    } cases[] = {{"no Oru.db here", false, last.Path()}, {"an Oru.db here", true, "Oru.db"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        QTemporaryDir folder;
        if (c.oruHere) ASSERT_TRUE(QFile::copy(here.Path(), folder.filePath("Oru.db")));
        ASSERT_TRUE(QDir::setCurrent(folder.path()));
        QString opened;
        QTimer::singleShot(0, [&opened] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (TCatalogForm* form = TMainWindow::FormOf(w); form && w->isVisible()) {
                    opened = form->Conn.Path();
                    w->close();
                }
        });
        std::ostringstream out, err;
        EXPECT_EQ(TCommandLine::Run({}, out, err), 0) << err.str();
        QDir::setCurrent(home);
        EXPECT_EQ(opened, c.opened);
    }
}

TEST_F(MainMenuTest, AboutNamesTheVersionsOfTheLibraries) {
    TTestCatalog catalogue;
    Open(catalogue.Path());
    QString text;
    QTimer::singleShot(0, [&text] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            box->accept();
        }
    });
    Action("actionAbout").trigger();
    EXPECT_TRUE(text.contains(QString("Qt ") + qVersion())) << text.toStdString();
    EXPECT_TRUE(text.contains("SQLite 3.")) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("libmediainfo \\d+\\.\\d+"))) << text.toStdString();
}

} // namespace
} // namespace tolvane
