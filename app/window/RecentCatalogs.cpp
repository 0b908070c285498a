#include "app/window/RecentCatalogs.h"

#include <QFileInfo>

#include "app/CatalogLocation.h"
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

void TRecentCatalogs::Replace(const QStringList& list) {
    TWindowSettings::Open()->setValue(kKey, list.mid(0, Kept));
}

void TRecentCatalogs::Add(const QString& path) {
    // A password stays where the user keeps it (~/.pgpass, PGPASSWORD), never in the settings.
    const QString file = TCatalogLocation::NamesServer(path) ? TCatalogLocation::Parse(path).Display()
                                                             : QFileInfo(path).absoluteFilePath();
    QStringList files = List();
    files.removeAll(file);
    files.prepend(file);
    TWindowSettings::Open()->setValue(kKey, files.mid(0, Kept));
}

} // namespace tolvane
