#pragma once
// The program's command line:
//   tolvane [FILE]                       the window on Oru.db or FILE
//   tolvane demo [FILE]                  a new demo catalogue
//   tolvane list [--db FILE] [PREFIX]    the titles the search box lists for PREFIX
//   tolvane show [--db FILE] ID          the episodes of one title as the episode grid shows them
//   tolvane --screenshot PNG [--search TEXT] [--select ROW] [FILE]

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

    // What kind of application object the arguments (without the program name) need.
    static TMode ModeOf(const QStringList& args);

    // Runs the command. Output is UTF-8; an error is one line on err and the result 1. The
    // window and the screenshot need a QApplication, the rest a QCoreApplication.
    static int Run(const QStringList& args, std::ostream& out, std::ostream& err);
};

} // namespace tolvane
