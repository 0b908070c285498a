#include "app/QtOptions.h"

namespace tolvane {

namespace {

// Qt's own names: QGuiApplication's and QApplication's, then the X11 platform's. Each may be
// spelled "-name" or "--name"; "-style=Fusion" gives the value after "=".
// clang-format off
const QStringList kWithValue = {"style", "stylesheet", "platform", "platformpluginpath", "platformtheme", "plugin",
                                "qwindowgeometry", "qwindowtitle", "qwindowicon", "session",
                                "display", "geometry", "title", "name", "icon", "visual", "qmljsdebugger"};
// clang-format on
const QStringList kFlags = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};

} // namespace

QList<QCommandLineOption> TQtOptions::Hidden(const QStringList& takenNames) {
    QList<QCommandLineOption> options;
    auto add = [&](const QString& name, const QString& valueName) {
        if (takenNames.contains(name)) return;
        QCommandLineOption option(name, QString(), valueName);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        options << option;
    };
    for (const QString& name : kWithValue) add(name, "value");
    for (const QString& name : kFlags) add(name, QString());
    return options;
}

} // namespace tolvane
