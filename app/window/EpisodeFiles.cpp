#include "app/window/EpisodeFiles.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QTableView>
#include <QUrl>

#include "app/CatalogError.h"
#include "app/CatalogForm.h"
#include "app/TitleFolders.h"
#include "app/window/MainWindow.h"

namespace tolvane {

namespace {

TCatalogForm& ShownForm(TMainWindow& window) {
    TCatalogForm* form = window.Form();
    if (!form || !form->Conn.IsOpen()) throw ECatalogError("no catalogue is open");
    if (form->ShownTitleId() == 0) throw ECatalogError("no title is shown");
    return *form;
}

// The shown title's folder; throws when the catalogue does not know it or it is gone.
QString Folder(TCatalogForm& form) {
    const QString folder = TTitleFolders::FolderOf(form.Conn.Database(), form.ShownTitleId());
    if (folder.isEmpty())
        throw ECatalogError("The folder of \"" + form.ShownTitleName() +
                            "\" is not known — add it again with Title ▸ Add Folder…");
    if (!QFileInfo(folder).isDir())
        throw ECatalogError(folder + " is not there any more: is its drive connected?");
    return folder;
}

void Open(const QUrl& url) {
    if (!QDesktopServices::openUrl(url))
        throw ECatalogError(url.toLocalFile() + ": the desktop has no program to open it");
}

} // namespace

void TEpisodeFiles::OpenEpisode() {
    TCatalogForm& form = ShownForm(window_);
    const QString folder = Folder(form);
    const QModelIndex current = form.DBGrid2->currentIndex();
    if (!current.isValid()) throw ECatalogError("Choose an episode first.");
    // The first column holds the file's name.
    const QString name = form.DBGrid2->model()->index(current.row(), 0).data(Qt::EditRole).toString();
    const QString file = QDir(folder).filePath(name);
    if (!QFileInfo(file).isFile()) throw ECatalogError(file + " is not there any more: is its drive connected?");
    Open(QUrl::fromLocalFile(file));
}

void TEpisodeFiles::ShowInFolder() {
    Open(QUrl::fromLocalFile(Folder(ShownForm(window_))));
}

} // namespace tolvane
