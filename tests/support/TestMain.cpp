// Entry point of every test program: a headless application with fixed regional settings, the
// classic system colours and plain text pixels, so that results never depend on the machine that
// runs them.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "grid/base/Locale.h"
#include "grid/host/Canvas.h"
#include "grid/host/SystemColors.h"
#include "support/TestServer.h"

namespace {

// Stops the test server, when a test started it, while the application still runs.
class TServerEnvironment : public ::testing::Environment {
public:
    void TearDown() override { tolvane::test::TTestServer::StopIfStarted(); }
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The user's settings (recent catalogues, the window's place) are never read or written: this
    // program and the programs it starts keep theirs in a folder of their own.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    tolvane::UseClassicSystemColors();
    tolvane::SetTextRendering(tolvane::trPlain);
    tolvane::TLocale::SetCurrent(tolvane::TFormatSettings::Fixed());
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new TServerEnvironment);
    return RUN_ALL_TESTS();
}
