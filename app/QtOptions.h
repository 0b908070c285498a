#pragma once
// The options every Qt program accepts (-style Fusion, -platformtheme X, -display D, ...). A
// QApplication takes out those its platform knows; the rest (-display on the offscreen platform,
// or any of them for a command that needs no QApplication) are known to the program's parser
// as hidden options, so that they pass wherever they stand and never reach a command.

#include <QCommandLineOption>
#include <QList>
#include <QStringList>

namespace tolvane {

class TQtOptions {
public:
    // Qt's options, hidden from the help, but for those whose names the program's own options
    // take (a command's "--title" is the program's; Qt's X11 "-title" then goes to it).
    static QList<QCommandLineOption> Hidden(const QStringList& takenNames);
};

} // namespace tolvane
