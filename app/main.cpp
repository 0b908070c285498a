// Tolvane: the catalogue viewer's program entry.
#include <QCoreApplication>
#include <iostream>
#include <memory>

#include "app/Application.h"
#include "app/CommandLine.h"

int main(int argc, char** argv) {
    QStringList raw;
    for (int i = 1; i < argc; ++i) raw << QString::fromLocal8Bit(argv[i]);
    const auto mode = tolvane::TCommandLine::ModeOf(raw);

    std::unique_ptr<QCoreApplication> app;
    if (mode == tolvane::TCommandLine::TMode::mdConsole) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        if (mode == tolvane::TCommandLine::TMode::mdScreenshot) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<tolvane::TApplication>(argc, argv);
    }
    return tolvane::TCommandLine::Run(QCoreApplication::arguments().mid(1), std::cout, std::cerr);
}
