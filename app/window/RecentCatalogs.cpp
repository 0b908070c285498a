#include "app/window/RecentCatalogs.h"

#include <QFileInfo>

#include "app/window/WindowSettings.h"

namespace tolvane {

namespace {
const QString kKey = "catalogue/recent";
}

QStringList TRecentCatalogs::List() {
    QStringList files = TWindowSettings::Open()->value(kKey).toStringList();
    files.removeAll(QString());
    return files.mid(0, Kept);
}

QString TRecentCatalogs::Last() {
    return List().value(0);
}

void TRecentCatalogs::Add(const QString& path) {
    const QString file = QFileInfo(path).absoluteFilePath();
    QStringList files = List();
    files.removeAll(file);
    files.prepend(file);
    TWindowSettings::Open()->setValue(kKey, files.mid(0, Kept));
}

} // namespace tolvane
