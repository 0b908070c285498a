#include "app/window/MainWindow.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTableView>
#include <QTimer>
#include <QMenuBar>

#include "app/CatalogForm.h"
#include "app/ErrorReporter.h"
#include "app/WindowPlacement.h"
#include "app/window/MainMenu.h"
#include "app/window/MissingFiles.h"
#include "app/window/RecentCatalogs.h"
#include "app/window/EpisodeFiles.h"
#include "app/window/TitleCommands.h"
#include "app/window/TitleUndo.h"
#include "app/window/WindowSettings.h"

namespace tolvane {

namespace {
const QString kGeometryKey = "window/geometry";

// The one local folder the data names, or an empty text.
QString DroppedFolder(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
    const QUrl url = data->urls().first();
    return url.isLocalFile() && QFileInfo(url.toLocalFile()).isDir() ? url.toLocalFile() : QString();
}
} // namespace

TMainWindow::TMainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName("TMainWindow");
    setWindowTitle("Tolvane");
    menu_ = std::make_unique<TMainMenu>(*this);
    setAcceptDrops(true);
}

TMainWindow::~TMainWindow() {
    // The form goes first: its closing may still ask the menu's undo history.
    missing_.reset();
    delete takeCentralWidget();
    form_ = nullptr;
}

TCatalogForm* TMainWindow::FormOf(QWidget* window) {
    if (auto* form = dynamic_cast<TCatalogForm*>(window)) return form;
    if (auto* main = dynamic_cast<TMainWindow*>(window)) return main->Form();
    return nullptr;
}

bool TMainWindow::OpenCatalog(const QString& path, TOpenMode mode) {
    auto* form = new TCatalogForm(path, mode);
    const bool opened = form->Conn.IsOpen();
    if (form_) {
        // Nothing is given up for a catalogue that cannot be shown.
        if (!opened || !form_->close()) {
            delete form;
            return false;
        }
        missing_.reset();
        delete takeCentralWidget();
        form_ = nullptr;
    }
    // Its steps belong to the catalogue that was shown.
    history_.clear();
    Show(form);
    if (opened) TRecentCatalogs::Add(path);
    menu_->CatalogueChanged();
    return opened;
}

void TMainWindow::Show(TCatalogForm* form) {
    form_ = form;
    setCentralWidget(form);
    form->installEventFilter(this);
    missing_ = std::make_unique<TMissingFiles>(*form);
    // Every edit stored from the boxes or the episode table becomes a step to undo.
    for (TRecordSource* source : {&form->Name, &form->Series})
        source->OnStored = [this, form, source](const QVariant& key, const std::vector<TCheckedUpdate::TChange>& written) {
            const TSourceDef& def = source->Definition();
            history_.push(new TFieldEditStep(*this, form->ShownTitleId(), def.Table, def.KeyField, key, written));
        };
    // Enter on an episode, or a double-click on a cell that is not edited, plays it.
    connect(form->DBGrid2, &QAbstractItemView::activated, this,
            [this] { TErrorReporter::Guard([this] { menu_->Files().OpenEpisode(); }); });
    setWindowTitle(form->windowTitle());
    setWindowIcon(form->windowIcon());
    form->show();
    if (placed_) return;
    placed_ = true;
    const QByteArray place = TWindowSettings::Open()->value(kGeometryKey).toByteArray();
    if (place.isEmpty() || !restoreGeometry(place))
        TWindowPlacement::Place(*this, QSize(form->width(), form->height() + menuBar()->sizeHint().height()));
}

void TMainWindow::SetUnattended() {
    if (form_) form_->SetUnattended();
}

void TMainWindow::SavePlace() {
    TWindowSettings::Open()->setValue(kGeometryKey, saveGeometry());
}

bool TMainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (form_ && watched == form_ && event->type() == QEvent::WindowTitleChange)
        setWindowTitle(form_->windowTitle());
    return QMainWindow::eventFilter(watched, event);
}

void TMainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFolder(event->mimeData()).isEmpty() && form_ && form_->Conn.IsOpen() && !form_->ReadOnly())
        event->acceptProposedAction();
}

void TMainWindow::dropEvent(QDropEvent* event) {
    const QString folder = DroppedFolder(event->mimeData());
    if (folder.isEmpty()) return;
    event->acceptProposedAction();
    // The questions come once the drag is over.
    QTimer::singleShot(0, this, [this, folder] {
        TErrorReporter::Guard([&] { menu_->Titles().AddFolderAt(folder); });
    });
}

void TMainWindow::closeEvent(QCloseEvent* event) {
    // The catalogue window stores its edits, or stays open on one the user goes on with.
    if (form_ && !form_->close()) {
        event->ignore();
        return;
    }
    if (isVisible()) SavePlace();
    event->accept();
}

} // namespace tolvane
