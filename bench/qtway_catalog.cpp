// The catalogue window built the usual Qt way (see QtWayCatalogWindow.h), as a program of its
// own so that its start and its memory can be measured against tolvane's:
//   qtway_catalog --screenshot PNG FILE
// opens the window on FILE, paints it once and saves the picture, as `tolvane --screenshot` does.

#include <QApplication>
#include <QPixmap>
#include <cstdio>

#include "QtWayCatalogWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4 || args[1] != "--screenshot") {
        std::fprintf(stderr, "usage: qtway_catalog --screenshot PNG FILE\n");
        return 2;
    }
    TQtWayCatalogWindow window(args[3]);
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.resize(1057 * window.logicalDpiX() / 120, 836 * window.logicalDpiY() / 120);
    window.show();
    QApplication::setActiveWindow(&window);
    QCoreApplication::processEvents();
    if (!window.grab().save(args[2], "PNG")) {
        std::fprintf(stderr, "qtway_catalog: cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
