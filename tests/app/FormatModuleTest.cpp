// The program starts without the libraries that read and write other programs' files
// (libmediainfo, mdbtools, libxlsxwriter and all they bring) and loads them from its formats
// module when a command needs them. Without the module, those commands fail with one error naming
// it, leave nothing behind, and the rest of the program works.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

#include "TestCatalog.h"

namespace tolvane {
namespace {

const QString kModule = "libtolvane-formats.so";
// Where the program and the module are built.
QString Built() {
    return QCoreApplication::applicationDirPath() + "/..";
}

struct TRun {
    int status = -1;
    QString out, err;
};

TRun RunChild(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000)) p.kill();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

TEST(FormatModuleTest, TheProgramLinksNoneOfTheFormatLibrariesAndTheModuleAllOfThem) {
    const QString program = RunChild("ldd", {Built() + "/tolvane"}).out;
    const QString module = RunChild("ldd", {Built() + "/" + kModule}).out;
    ASSERT_TRUE(program.contains("libQt6Core")) << program.toStdString();
    for (const char* library : {"libmediainfo", "libmdb", "libxlsxwriter", "libcurl", "libgnutls", "libpq", "libkrb5"}) {
        SCOPED_TRACE(library);
        EXPECT_FALSE(program.contains(library));
    }
    for (const char* library : {"libmediainfo", "libmdb", "libxlsxwriter"}) EXPECT_TRUE(module.contains(library)) << library;
}

// Each command on a copy of the program in a folder of its own: first alone, then with the module
// beside it.
TEST(FormatModuleTest, CommandsNeedTheModuleOnlyForOtherProgramsFiles) {
    struct TCase {
        const char* name;
        std::function<QStringList(const QString& dir, const QString& catalogue)> args;
        bool needsModule;
        const char* made;       // the file the command writes, which a failure must not leave
        const char* otherError; // the error with the module beside, for a source it refuses
    };
    const QString media = QString(TOLVANE_TEST_DATA) + "/media";
    const QString fruit = QString(TOLVANE_TEST_DATA) + "/access/fruit.mdb";
    const std::vector<TCase> cases = {
        {"scan", [&](const QString&, const QString& c) { return QStringList{"scan", media, "--title", "T", "--db", c}; },
         true, nullptr, nullptr},
        // The window's Add Folder job, as the menu runs it, stopped halfway for its picture.
        {"Add Folder in the window",
         [&](const QString& d, const QString& c) {
             return QStringList{"--screenshot", d + "/progress.png", "--add-folder", media, c};
         },
         true, "progress.png", nullptr},
        {"import", [&](const QString& d, const QString&) { return QStringList{"import", fruit, d + "/imported.db"}; },
         true, "imported.db", "no table \"Sp\""},
        {"export to a workbook",
         [](const QString& d, const QString& c) {
             return QStringList{"export", "--db", c, "--format", "xlsx", "--output", d + "/out.xlsx"};
         },
         true, "out.xlsx", nullptr},
        {"export to CSV",
         [](const QString& d, const QString& c) { return QStringList{"export", "--db", c, "--output", d + "/out.csv"}; },
         false, "out.csv", nullptr},
        {"the window",
         [](const QString& d, const QString& c) { return QStringList{"--screenshot", d + "/shot.png", c}; }, false,
         "shot.png", nullptr},
    };
    for (const TCase& test : cases) {
        for (const bool beside : {false, true}) {
            SCOPED_TRACE(std::string(test.name) + (beside ? ", module beside" : ", no module"));
            test::TTestCatalog catalogue;
            QTemporaryDir dir;
            const QString bin = dir.filePath("bin");
            ASSERT_TRUE(QDir().mkpath(bin));
            ASSERT_TRUE(QFile::copy(Built() + "/tolvane", bin + "/tolvane"));
            if (beside) ASSERT_TRUE(QFile::copy(Built() + "/" + kModule, bin + "/" + kModule));

            const TRun run = RunChild(bin + "/tolvane", test.args(dir.path(), catalogue.Path()));
            const int titles = test::TRawDb(catalogue.Path()).Scalar("SELECT count(*) FROM \"Sp\"").toInt();
            const bool made = test.made && QFileInfo::exists(dir.filePath(test.made));
            if (test.needsModule && !beside) {
                EXPECT_NE(run.status, 0);
                EXPECT_EQ(run.err.count(QRegularExpression("^tolvane: ", QRegularExpression::MultilineOption)), 1)
                    << run.err.toStdString();
                EXPECT_TRUE(run.err.contains(kModule + " is missing")) << run.err.toStdString();
                EXPECT_TRUE(run.err.contains(bin + "/" + kModule)) << run.err.toStdString();
                EXPECT_EQ(titles, 0);
                EXPECT_FALSE(made);
            } else if (beside && test.otherError) {
                EXPECT_NE(run.status, 0);
                EXPECT_TRUE(run.err.contains(test.otherError)) << run.err.toStdString();
                EXPECT_FALSE(run.err.contains(kModule)) << run.err.toStdString();
            } else {
                EXPECT_EQ(run.status, 0) << run.err.toStdString();
                EXPECT_EQ(titles, QString(test.name) == "scan" ? 1 : 0);
                if (test.made) EXPECT_TRUE(made);
            }
        }
    }
}

} // namespace
} // namespace tolvane
