// The program as a user meets it in a terminal: the real tolvane binary, started without a display.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "RunCommand.h"
#include "RunProgram.h"
#include "TestCatalog.h"
#include "app/CatalogForm.h"
#include "app/window/MainWindow.h"

namespace tolvane {
namespace {

using test::RunProgram;
using test::TProgramRun;

const QString kMedia = QString(TOLVANE_TEST_DATA) + "/media";

int LineCount(const std::string& text) {
    return int(std::count(text.begin(), text.end(), '\n'));
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFileInfo(test::ProgramPath()).isExecutable()) << test::ProgramPath().toStdString();
        naruto = catalogue.AddTitle(QString::fromUtf8("Наруто"), "TV", "220");
        catalogue.AddEpisode(naruto, {"n01.mkv", 1'000LL, 640, 480, 61'000, "AAC"});
    }
    QString Db() const { return catalogue.Path(); }

    test::TTestCatalog catalogue;
    std::int64_t naruto = 0;
};

TEST_F(ProgramTest, AMistypedCommandOrAnEmptyNameIsOneErrorLineAndOpensNothing) {
    QTemporaryDir dir;
    const QString png = dir.filePath("shot.png");
    const struct {
        QStringList args;
        std::string fragment;
    } cases[] = {
        {{"bogus"}, "no such command or catalogue: bogus"},
        {{"lsit", "--db", Db()}, "unknown option --db"},
        {{"--read-only", "bogus"}, "no such command or catalogue: bogus"},
        {{dir.path()}, "a folder, not a catalogue"},
        {{""}, "name is empty"},
        {{"demo", ""}, "name is empty"},
        {{"list", "--db", ""}, "--db needs a value"},
        {{"show", "--db", "", "1"}, "--db needs a value"},
        {{"export", "--db", Db(), "--output", ""}, "--output needs a value"},
        {{"scan", "", "--title", "X", "--db", Db()}, "folder's name is empty"},
        {{"scan", kMedia, "--title", "", "--db", Db()}, "--title needs a value"},
        {{"scan", kMedia, "--title", "X", "--type", "", "--db", Db()}, "--type needs a value"},
        {{"import", "", dir.filePath("new.db")}, "name is empty"},
        {{"import", QString(TOLVANE_TEST_DATA) + "/access/fruit.mdb", ""}, "name is empty"},
        {{"--screenshot", "", Db()}, "needs a PNG file name"},
        {{"--screenshot", png, ""}, "name is empty"},
        {{"scan", "--read-only", kMedia, "--title", "X", "--db", Db()}, "--read-only does not go with scan"},
    };
    for (const auto& c : cases) {
        const TProgramRun r = RunProgram(c.args);
        SCOPED_TRACE(c.args.join(' ').toStdString());
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.fragment), std::string::npos) << r.err;
        EXPECT_EQ(LineCount(r.err), 1) << r.err;
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden).isEmpty());
    EXPECT_EQ(catalogue.Scalar("SELECT count(*) FROM \"Sp\"").toInt(), 1);
}

TEST_F(ProgramTest, QtsOwnOptionsAreAcceptedByEveryCommand) {
    QTemporaryDir dir;
    const QString css = dir.filePath("look.css");
    {
        QFile f(css);
        f.open(QIODevice::WriteOnly);
        f.write("QWidget { font-size: 12px; }\n");
    }
    const QString png = dir.filePath("shot.png");
    const std::string listed = Tolvane({"list", "--db", Db()}).out;
    const struct {
        QStringList args;
        std::string out; // the output, when it is known
    } cases[] = {
        {{"-style", "Fusion", "list", "--db", Db()}, listed},
        {{"list", "--db", Db(), "-platformtheme", "none"}, listed},
        {{"-display", ":99", "list", "--db", Db()}, listed},
        {{"-style=Fusion", "-reverse", "show", "--db", Db(), QString::number(naruto)}, ""},
        {{"--style", "Fusion", "-qwindowtitle", "T", "export", "--db", Db()}, ""},
        {{"-style", "Fusion", "-stylesheet", css, "-platformtheme", "none", "-display", ":99", "--screenshot",
          png, Db()},
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const TProgramRun r = RunProgram(c.args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err.find("tolvane:"), std::string::npos) << r.err;
        if (!c.out.empty()) {
            EXPECT_EQ(r.out, c.out);
        }
    }
    EXPECT_TRUE(QFileInfo(png).size() > 0);
    const TProgramRun missing = RunProgram({"-style"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("-style needs a value"), std::string::npos) << missing.err;
}

// What the window shows of the catalogue's mode, read while its own event loop runs.
struct TWindowSeen {
    bool found = false, readOnly = false, markShown = false;
    QString caption;
};

TWindowSeen RunWindow(const QStringList& args, int& status) {
    TWindowSeen seen;
    QTimer::singleShot(0, [&seen] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* form = TMainWindow::FormOf(w)) {
                seen = {true, form->ReadOnly(), form->SBarReadOnly->isVisible(), form->windowTitle()};
                w->close();
            }
    });
    status = Tolvane(args).status;
    return seen;
}

TEST_F(ProgramTest, ReadOnlyOpensAnyCatalogueReadOnly) {
    const struct {
        QStringList args;
        bool readOnly;
    } cases[] = {
        {{"--read-only", Db()}, true},
        {{Db(), "--read-only"}, true},
        {{"-style", "Fusion", "--read-only", Db()}, true},
        {{Db()}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        ASSERT_TRUE(QFileInfo(Db()).isWritable());
        int status = -1;
        const TWindowSeen seen = RunWindow(c.args, status);
        EXPECT_EQ(status, 0);
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(seen.readOnly, c.readOnly);
        EXPECT_EQ(seen.markShown, c.readOnly);
        EXPECT_EQ(seen.caption.contains("(read-only)"), c.readOnly) << seen.caption.toStdString();
    }
}

// One row per character that a terminal would obey.
const struct {
    QString character;
    std::string shown;
} kControls[] = {
    {QString(QChar(0x00)), "\\x00"},
    {QString(QChar(0x01)), "\\x01"},
    {"\a", "\\x07"},
    {"\b", "\\x08"},
    {"\t", "\\t"},
    {"\n", "\\n"},
    {"\v", "\\x0b"},
    {"\f", "\\x0c"},
    {"\r", "\\r"},
    {"\x1b", "\\e"},
    {"\x7f", "\\x7f"},
    {QString(QChar(0x9b)), "\\u009b"},
};

// Control bytes other than line ends and the separators between fields.
bool HoldsControls(const std::string& text, const std::string& allowed = "\n\t") {
    for (const unsigned char c : text)
        if ((c < 0x20 || c == 0x7f) && allowed.find(char(c)) == std::string::npos) return true;
    return text.find("\xc2\x9b") != std::string::npos;
}

TEST_F(ProgramTest, ControlCharactersReachATerminalEscaped) {
    for (const auto& c : kControls) catalogue.AddTitle("in[" + c.character + "]out");
    const TProgramRun r = RunProgram({"list", "--db", Db()}, {.terminal = true});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_FALSE(HoldsControls(r.out)) << r.out;
    for (const auto& c : kControls)
        EXPECT_NE(r.out.find("\tin[" + c.shown + "]out\t"), std::string::npos) << c.shown;
    EXPECT_EQ(LineCount(r.out), 1 + int(std::size(kControls)));
}

TEST_F(ProgramTest, EveryTextForATerminalIsEscapedWhileFilesAndPipesKeepTheData) {
    const QString sequence = "\x1b]0;owned\a\x1b[2J";
    const std::string escaped = "\\e]0;owned\\x07\\e[2J";
    catalogue.AddEpisode(naruto, {"n02" + sequence + ".mkv", 2'000LL, 640, 480, 1'000, "AAC"});
    QTemporaryDir dir;
    QFile::copy(kMedia + "/broken.avi", dir.filePath("bad" + sequence + ".avi"));
    QFile::copy(kMedia + "/episode 2.mkv", dir.filePath("good" + sequence + ".mkv"));

    const struct {
        QStringList args;
        std::string fragment;
    } cases[] = {
        {{"show", "--db", Db(), QString::number(naruto)}, "n02" + escaped + ".mkv"},
        {{"export", "--db", Db(), "--title", QString::number(naruto)}, "n02" + escaped + ".mkv"},
        {{"scan", dir.path(), "--title", "T" + sequence, "--db", Db()},
         "bad" + escaped + ".avi: not a readable"},
        {{"scan", dir.path(), "--title", "T" + sequence, "--db", Db()}, "T" + escaped + " (ID"},
        {{"list", "--db", dir.filePath("no" + sequence + ".db")}, "no" + escaped + ".db: no such file"},
        {{"bogus" + sequence}, "no such command or catalogue: bogus" + escaped},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fragment);
        const TProgramRun r = RunProgram(c.args, {.terminal = true});
        EXPECT_NE(r.out.find(c.fragment), std::string::npos) << r.out;
        // The scan's progress line is rewritten in place with the program's own sequence.
        std::string rest = r.out;
        for (std::size_t at; (at = rest.find("\r\x1b[K")) != std::string::npos;) rest.erase(at, 4);
        EXPECT_FALSE(HoldsControls(rest, "\n\t\r")) << r.out;
    }

    // Into a pipe or a file the data stays exact.
    const TProgramRun piped = RunProgram({"export", "--db", Db(), "--title", QString::number(naruto)});
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_NE(piped.out.find(("n02" + sequence + ".mkv").toStdString()), std::string::npos) << piped.out;
    const QString csv = dir.filePath("episodes.csv");
    ASSERT_EQ(RunProgram({"export", "--db", Db(), "--title", QString::number(naruto), "--output", csv},
                         {.terminal = true})
                  .status,
              0);
    QFile file(csv);
    file.open(QIODevice::ReadOnly);
    EXPECT_EQ(file.readAll().toStdString(), piped.out);
}

} // namespace
} // namespace tolvane
