// A catalogue is a file that may carry code of its own: triggers that fire on our writes, a
// totals view that never finishes. Our writes do what they say and nothing more, and every read
// ends — with one line naming what did not finish — including when the program is asked to end.
#include <QCoreApplication>
#include <QLineEdit>
#include <chrono>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

#include "RunCommand.h"
#include "TestCatalog.h"
#include "app/CatalogForm.h"
#include "app/CatalogStore.h"
#include "app/ErrorReporter.h"
#include "app/RecordSource.h"
#include "app/StatementBound.h"
#include "app/TitleList.h"
#include "app/TerminationSignals.h"

namespace tolvane {
namespace {

using namespace std::chrono_literals;
using test::TRawDb;
using test::TTestCatalog;

const QString kMedia = QString(TOLVANE_TEST_DATA) + "/media";

std::int64_t Count(TTestCatalog& catalogue, const char* table) {
    return catalogue.Scalar(QString("SELECT count(*) FROM \"%1\"").arg(QString::fromUtf8(table))).toLongLong();
}

// Errors go to a list instead of message boxes while it lives.
class TErrorList {
public:
    TErrorList() : previous_(TErrorReporter::SetSink([this](const QString& m) { errors << m; })) {}
    ~TErrorList() { TErrorReporter::SetSink(std::move(previous_)); }
    QStringList errors;

private:
    TErrorReporter::TSink previous_;
};

struct TTriggerCase {
    const char* name;
    const char* trigger;
    // Our write, and what it must have left: both fail the test themselves.
    std::function<void(TTestCatalog&, std::int64_t title)> write;
};

const TTriggerCase kTriggerCases[] = {
    {"CommentEditedInTheWindow",
     R"sql(CREATE TRIGGER wipe AFTER UPDATE ON "Sp" BEGIN DELETE FROM "Серии" WHERE "Название" = NEW."ID"; END)sql",
     [](TTestCatalog& catalogue, std::int64_t title) {
         TErrorList report;
         {
             TCatalogForm form(catalogue.Path());
             form.EKoment->setText("edited");
             form.GV->ClickRow(1);
         }
         EXPECT_EQ(report.errors, QStringList());
         EXPECT_EQ(catalogue.TitleField(title, QString::fromUtf8("Комментарий")).toString(), "edited");
         EXPECT_EQ(Count(catalogue, "Серии"), 11) << "the title's episodes are intact";
     }},
    {"FolderScanned",
     R"sql(CREATE TRIGGER wipe AFTER INSERT ON "Серии" BEGIN DELETE FROM "Sp" WHERE "ID" <> NEW."Название"; END)sql",
     [](TTestCatalog& catalogue, std::int64_t) {
         const TRun r = Tolvane({"scan", kMedia, "--title", "Scanned", "--db", catalogue.Path()});
         EXPECT_EQ(r.status, 0) << r.err;
         EXPECT_NE(r.out.find("3 added"), std::string::npos) << r.out;
         EXPECT_EQ(Count(catalogue, "Sp"), 3) << "the other titles are intact";
         EXPECT_EQ(Count(catalogue, "Серии"), 14);
     }},
};

class CatalogueTrigger : public ::testing::TestWithParam<TTriggerCase> {};

TEST_P(CatalogueTrigger, DoesNotRunOnOurWrites) {
    TTestCatalog catalogue;
    const std::int64_t title = catalogue.AddTitle("First", "TV", "11", "old");
    for (int e = 0; e < 11; ++e) catalogue.AddEpisode(title, {QString("e%1.mkv").arg(e), 1000, 64, 48, 1000});
    catalogue.AddTitle("Second");
    TRawDb(catalogue.Path()).Exec(QString::fromUtf8(GetParam().trigger));
    GetParam().write(catalogue, title);
}

INSTANTIATE_TEST_SUITE_P(Writes, CatalogueTrigger, ::testing::ValuesIn(kTriggerCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Totals that never come: the count of an endless recursive query runs without end and without
// growing, as a careless or hostile view does.
void MakeTotalsEndless(TTestCatalog& catalogue) {
    TRawDb raw(catalogue.Path());
    raw.Exec("DROP VIEW \"Rjk\"");
    raw.Exec(QString::fromUtf8(R"sql(CREATE VIEW "Rjk" AS
        WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r)
        SELECT 'x' AS "Название", count(*) AS "Sum-Объём(байт)", 0.0 AS "Sum-Длительность", 1 AS "ID"
        FROM r)sql"));
}

class EndlessTotals : public ::testing::Test {
protected:
    void SetUp() override {
        catalogue.AddTitle("Endless");
        MakeTotalsEndless(catalogue);
        previousLimit_ = TStatementBound::Limit();
    }
    void TearDown() override { TStatementBound::SetLimit(previousLimit_); }

    TTestCatalog catalogue;

private:
    std::chrono::milliseconds previousLimit_{};
};

TEST_F(EndlessTotals, EveryCommandEndsWithOneLineNamingTheView) {
    TStatementBound::SetLimit(300ms);
    const std::string expected =
        "tolvane: " + catalogue.Path().toStdString() + ": the view \"Rjk\" does not finish within 0.3 s\n";
    const QStringList commands[] = {{"list", "--db", catalogue.Path()},
                                    {"export", "--db", catalogue.Path()},
                                    {"--screenshot", catalogue.Folder("shot.png"), catalogue.Path()}};
    for (const QStringList& command : commands) {
        SCOPED_TRACE(command.first().toStdString());
        const auto started = std::chrono::steady_clock::now();
        const TRun r = Tolvane(command);
        EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, expected);
        EXPECT_EQ(r.out, "");
    }
}

// The window's start-up is kept from the event loop while it reads; a termination signal that
// comes meanwhile ends the read at once rather than when the bound runs out.
TEST_F(EndlessTotals, ATerminationSignalEndsTheReadLongBeforeTheBound) {
    TStatementBound::SetLimit(60s);
    int answered = 0;
    TTerminationSignals watch([&answered] { ++answered; });
    std::thread signaller([] {
        std::this_thread::sleep_for(500ms);
        ::kill(::getpid(), SIGTERM);
    });
    TErrorList report;
    const auto started = std::chrono::steady_clock::now();
    {
        TCatalogForm form(catalogue.Path());
    }
    const auto took = std::chrono::steady_clock::now() - started;
    signaller.join();
    EXPECT_LT(took, 10s);
    ASSERT_EQ(report.errors.size(), 1);
    EXPECT_EQ(report.errors[0].toStdString(),
              catalogue.Path().toStdString() + ": reading the view \"Rjk\" was stopped: the program is asked to end");
    for (int turn = 0; turn < 100 && answered == 0; ++turn) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_EQ(answered, 1) << "the signal is still answered by the event loop";
}

} // namespace
} // namespace tolvane
