#include "app/QtOptions.h"

namespace tolvane {

namespace {

// Qt's own names: QGuiApplication's and QApplication's, then the X11 platform's.
// clang-format off
const QStringList kWithValue = {"style", "stylesheet", "platform", "platformpluginpath", "platformtheme", "plugin",
                                "qwindowgeometry", "qwindowtitle", "qwindowicon", "session",
                                "display", "geometry", "title", "name", "icon", "visual"};
// clang-format on
const QStringList kFlags = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};
// Joined to their value by "=".
const QStringList kJoined = {"style=", "stylesheet=", "qmljsdebugger="};
// The program's own double-dash options, which Qt's "--name" spelling must not swallow.
const QStringList kOwn = {"title"};

} // namespace

bool TQtOptions::Strip(const QStringList& args, QStringList& rest, QString& missing) {
    rest.clear();
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == "--") {
            rest << args.mid(i);
            break;
        }
        // Qt accepts "-name" and "--name" alike.
        QString name;
        if (a.startsWith("--") && a.size() > 2)
            name = a.mid(2);
        else if (a.startsWith('-') && a.size() > 1)
            name = a.mid(1);
        if (name.isEmpty() || (a.startsWith("--") && kOwn.contains(name))) {
            rest << a;
            continue;
        }
        if (kFlags.contains(name)) continue;
        if (kWithValue.contains(name)) {
            if (i + 1 >= args.size()) {
                missing = a;
                return false;
            }
            ++i;
            continue;
        }
        bool joined = false;
        for (const QString& prefix : kJoined) joined |= name.startsWith(prefix);
        if (!joined) rest << a;
    }
    return true;
}

} // namespace tolvane
