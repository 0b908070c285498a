#include "app/window/MainMenu.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "app/CatalogForm.h"
#include "app/CatalogLocation.h"
#include "app/ErrorReporter.h"
#include "app/window/CatalogueCommands.h"
#include "app/window/EpisodeFiles.h"
#include "app/window/MainWindow.h"
#include "app/window/RecentCatalogs.h"
#include "app/window/TitleCommands.h"

namespace tolvane {

namespace {

// The text box that has the keyboard focus (a box of the window, an episode cell's editor).
QLineEdit* FocusedTextBox() {
    QWidget* focus = QApplication::focusWidget();
    if (auto* edit = qobject_cast<QLineEdit*>(focus)) return edit;
    if (auto* combo = qobject_cast<QComboBox*>(focus)) return combo->lineEdit();
    return nullptr;
}

} // namespace

TMainMenu::TMainMenu(TMainWindow& window)
    : window_(window), commands_(std::make_unique<TCatalogueCommands>(window)),
      titles_(std::make_unique<TTitleCommands>(window)), files_(std::make_unique<TEpisodeFiles>(window)) {
    QMenuBar* bar = window.menuBar();
    TCatalogueCommands& c = *commands_;

    QMenu* catalogue = bar->addMenu("&Catalogue");
    Add(catalogue, "actionNew", "&New…", QKeySequence::New, [&c] { c.New(); });
    Add(catalogue, "actionNewDemo", "New &Demo…", {}, [&c] { c.NewDemo(); });
    Add(catalogue, "actionOpen", "&Open…", QKeySequence::Open, [&c] { c.Open(); });
    Add(catalogue, "actionOpenServer", "Open &Server…", {}, [&c] { c.OpenServer(); });
    recent_ = catalogue->addMenu("Open &Recent");
    recent_->setObjectName("menuRecent");
    catalogue->addSeparator();
    Add(catalogue, "actionImport", "&Import Access catalogue…", {}, [&c] { c.Import(); });
    Add(catalogue, "actionExport", "&Export…", {}, [&c] { c.Export(); });
    catalogue->addSeparator();
    // Platforms whose standard keys have no Quit (Windows' scheme) get Ctrl+Q.
    const QKeySequence quit = QKeySequence(QKeySequence::Quit).isEmpty() ? QKeySequence("Ctrl+Q")
                                                                          : QKeySequence(QKeySequence::Quit);
    Add(catalogue, "actionQuit", "&Quit", quit, [&window] { window.close(); });

    QMenu* title = bar->addMenu("&Title");
    TTitleCommands& t = *titles_;
    Add(title, "actionAddFolder", "&Add Folder…", {}, [&t] { t.AddFolder(); });
    Add(title, "actionNewTitle", "&New Title", QKeySequence("Ctrl+Shift+N"), [&t] { t.NewTitle(); });
    Add(title, "actionDeleteTitle", "&Delete Title…", QKeySequence("Ctrl+Shift+Del"), [&t] { t.DeleteTitle(); });
    title->addSeparator();
    TEpisodeFiles& f = *files_;
    Add(title, "actionOpenEpisode", "&Open Episode", {}, [&f] { f.OpenEpisode(); });
    Add(title, "actionShowInFolder", "&Show in Folder", {}, [&f] { f.ShowInFolder(); });

    QMenu* edit = bar->addMenu("&Edit");
    QUndoStack& history = window.History();
    QAction* undo = Add(edit, "actionUndo", "&Undo", QKeySequence::Undo, [&history] { history.undo(); });
    QAction* redo = Add(edit, "actionRedo", "&Redo", QKeySequence::Redo, [&history] { history.redo(); });
    undo->setEnabled(false);
    redo->setEnabled(false);
    QObject::connect(&history, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    QObject::connect(&history, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    QObject::connect(&history, &QUndoStack::undoTextChanged, undo,
                     [undo](const QString& text) { undo->setText(text.isEmpty() ? "&Undo" : "&Undo " + text); });
    QObject::connect(&history, &QUndoStack::redoTextChanged, redo,
                     [redo](const QString& text) { redo->setText(text.isEmpty() ? "&Redo" : "&Redo " + text); });
    edit->addSeparator();
    Add(edit, "actionCut", "Cu&t", QKeySequence::Cut, [] {
        if (QLineEdit* box = FocusedTextBox()) box->cut();
    });
    Add(edit, "actionCopy", "&Copy", QKeySequence::Copy, [] {
        if (QLineEdit* box = FocusedTextBox()) box->copy();
    });
    Add(edit, "actionPaste", "&Paste", QKeySequence::Paste, [] {
        if (QLineEdit* box = FocusedTextBox()) box->paste();
    });

    QMenu* help = bar->addMenu("&Help");
    Add(help, "actionAbout", "&About Tolvane", {}, [&c] { c.About(); });

    FillRecent();
}

TMainMenu::~TMainMenu() = default;

QAction* TMainMenu::Add(QMenu* menu, const QString& name, const QString& text, const QKeySequence& keys,
                        const std::function<void()>& run) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    action->setShortcut(keys);
    // The line edits keep their own Cut/Copy/Paste keys; the menu's entries do the same by click.
    QObject::connect(action, &QAction::triggered, &window_, [run] { TErrorReporter::Guard(run); });
    actions_ << action;
    return action;
}

QAction* TMainMenu::Action(const QString& name) const {
    for (QAction* action : actions_)
        if (action->objectName() == name) return action;
    return nullptr;
}

QList<QAction*> TMainMenu::RecentActions() const {
    return recent_->actions();
}

void TMainMenu::CatalogueChanged() {
    FillRecent();
    const bool open = window_.Form() && window_.Form()->Conn.IsOpen();
    const bool writable = open && !window_.Form()->ReadOnly();
    Action("actionExport")->setEnabled(open);
    Action("actionOpenEpisode")->setEnabled(open);
    Action("actionShowInFolder")->setEnabled(open);
    for (const char* name : {"actionAddFolder", "actionNewTitle", "actionDeleteTitle"})
        Action(name)->setEnabled(writable);
}

void TMainMenu::FillRecent() {
    recent_->clear();
    const QStringList files = TRecentCatalogs::List();
    int n = 0;
    for (const QString& file : files) {
        const QString shown = TCatalogLocation::NamesServer(file) ? file : QFileInfo(file).fileName();
        QAction* action = recent_->addAction(QString("&%1 %2").arg(++n % 10).arg(shown));
        action->setToolTip(file);
        action->setData(file);
        // Queued: opening refills this submenu, which deletes the action that was triggered.
        QObject::connect(
            action, &QAction::triggered, &window_,
            [this, file] { TErrorReporter::Guard([&] { commands_->OpenFile(file); }); }, Qt::QueuedConnection);
    }
    recent_->setEnabled(!files.isEmpty());
}

} // namespace tolvane
