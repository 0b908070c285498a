#include "app/window/ProgressPicture.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QProgressDialog>

#include "app/CatalogError.h"
#include "app/CatalogForm.h"
#include "app/ErrorReporter.h"
#include "app/scan/FolderScan.h"
#include "app/window/AddFolderJob.h"
#include "app/window/BackgroundJob.h"
#include "app/window/MainWindow.h"
#include "app/window/RecentCatalogs.h"

namespace tolvane {

namespace {
// The time each file seems to take, for the estimate shown.
constexpr qint64 kMsPerFile = 400;
} // namespace

QImage TProgressPicture::AddFolder(const QString& catalogue, const QString& folder) {
    int videos = 0;
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        if (TFolderScan::IsVideo(name)) ++videos;
    if (videos == 0) throw ECatalogError(folder + ": no video file to show a scan of");

    QStringList errors;
    struct TSinkRestore {
        TErrorReporter::TSink previous;
        ~TSinkRestore() { TErrorReporter::SetSink(std::move(previous)); }
    } restore{TErrorReporter::SetSink([&errors](const QString& message) { errors << message; })};

    // A picture is no use of the catalogue: the recent list stays as the user left it.
    struct TRecentRestore {
        QStringList kept = TRecentCatalogs::List();
        ~TRecentRestore() { TRecentCatalogs::Replace(kept); }
    } recent;
    TMainWindow window;
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.OpenCatalog(catalogue, TOpenMode::omReadOnly);
    if (!errors.isEmpty()) throw ECatalogError(errors.first());
    TCatalogForm& form = *window.Form();
    form.SBarReadOnly->hide();
    // The designed size, whatever place the user's window was left in.
    window.resize(form.width(), form.height() + window.menuBar()->sizeHint().height());
    window.show();
    QApplication::setActiveWindow(&window);
    QCoreApplication::processEvents();

    QImage picture;
    // Before any file is read when there is only one: the scan never gets to store.
    const int half = videos / 2;
    TBackgroundJob::TakePicture({half, half * kMsPerFile, [&](QProgressDialog& dialog) {
                                     QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
                                     dialog.adjustSize();
                                     picture = window.grab().toImage();
                                     const QImage shown = dialog.grab().toImage();
                                     QPainter painter(&picture);
                                     const QPoint at((picture.width() - shown.width()) / 2,
                                                     (picture.height() - shown.height()) / 3);
                                     painter.drawImage(at, shown);
                                     painter.setPen(QApplication::palette().color(QPalette::Shadow));
                                     painter.drawRect(QRect(at, shown.size()).adjusted(-1, -1, 0, 0));
                                 }});
    const std::optional<TScanResult> stored =
        TAddFolderJob::Run(&window, {folder, catalogue, QFileInfo(folder).fileName(), "TV"});
    if (stored) throw ECatalogError(folder + ": the scan ended before its picture was taken");
    if (picture.isNull()) throw ECatalogError(folder + ": the progress was never shown");
    return picture;
}

} // namespace tolvane
