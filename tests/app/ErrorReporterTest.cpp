// The viewer's reporter is the program's one error sink: what the grid library reports and what
// the viewer reports reach the same place, and without a display that is one line on standard
// error (a box nobody can close would hang the program).
#include <cstdio>
#include <stdexcept>

#include <QFile>
#include <QTemporaryFile>
#include <gtest/gtest.h>
#include <unistd.h>

#include "app/ErrorReporter.h"
#include "grid/host/ExceptionSink.h"

namespace tolvane {
namespace {

// Standard error goes to a file while this lives.
class TCapturedStandardError {
public:
    TCapturedStandardError() {
        file_.open();
        std::fflush(stderr);
        saved_ = dup(2);
        dup2(file_.handle(), 2);
    }
    ~TCapturedStandardError() { Restore(); }
    QByteArray Text() {
        Restore();
        QFile read(file_.fileName());
        read.open(QIODevice::ReadOnly);
        return read.readAll();
    }

private:
    void Restore() {
        if (saved_ < 0) return;
        std::fflush(stderr);
        dup2(saved_, 2);
        close(saved_);
        saved_ = -1;
    }
    QTemporaryFile file_;
    int saved_ = -1;
};

TEST(ErrorReporter, WithoutADisplayAFailureInAnEventIsOneLineOnStandardError) {
    const TExceptionSink previous = SetExceptionSink(nullptr);
    TErrorReporter::Install();
    TCapturedStandardError captured;
    GuardedCall([] { throw std::runtime_error("'abc' is not a valid floating point value"); });
    EXPECT_EQ(captured.Text(), "Tolvane: 'abc' is not a valid floating point value\n");
    SetExceptionSink(previous);
}

TEST(ErrorReporter, TheViewerAndTheGridReportToTheSameSink) {
    QStringList messages;
    const TErrorReporter::TSink previous = TErrorReporter::SetSink([&](const QString& m) { messages << m; });
    ReportException("from the grid");
    TErrorReporter::Report("from the viewer");
    EXPECT_FALSE(TErrorReporter::Guard([] { throw std::runtime_error("from a guard"); }));
    SetExceptionSink(previous);
    EXPECT_EQ(messages, QStringList({"from the grid", "from the viewer", "from a guard"}));
}

} // namespace
} // namespace tolvane
