#pragma once
// The options every Qt program accepts (-style Fusion, -platformtheme X, -display D, ...). A
// QApplication takes out those its platform knows; the rest (-display on the offscreen platform,
// or any of them for a command that needs no QApplication) are taken out here the same way, so
// that the program's own parsing never sees them.

#include <QStringList>

namespace tolvane {

class TQtOptions {
public:
    // The arguments without Qt's options and their values, up to a "--", which stays. Returns
    // false, with the option in missing, when an option that takes a value ends the arguments.
    static bool Strip(const QStringList& args, QStringList& rest, QString& missing);
};

} // namespace tolvane
