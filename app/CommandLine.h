#pragma once
// The program's command line (the usage text in CommandLine.cpp lists every command):
//   tolvane [--read-only] [FILE]         the window on Oru.db or FILE
//   tolvane demo|list|show|export|scan|import ...
//   tolvane --screenshot PNG [--search TEXT] [--select ROW] [--add-folder FOLDER] [--read-only] [FILE]
// Qt's own options (-style Fusion, ...) are accepted anywhere before a "--".

#include <QStringList>
#include <ostream>

namespace tolvane {

class TCommandLine {
public:
    enum class TMode {
        mdConsole,    // needs no windowing system
        mdWindow,     // the interactive window
        mdScreenshot, // widgets, rendered off-screen
    };

    // What kind of application object the arguments (without the program name) need; arguments
    // that are only an error need none.
    static TMode ModeOf(const QStringList& args);

    // Runs the command. Output is UTF-8, with control characters escaped where it goes to a
    // terminal; an error is one line on err and the result 1. The window and the screenshot
    // need a QApplication, the rest a QCoreApplication.
    static int Run(const QStringList& args, std::ostream& out, std::ostream& err);
};

} // namespace tolvane
