#pragma once
// The program's window: the menu bar above the catalogue window's controls, which it holds as
// they are. It opens one catalogue at a time, remembers its place on the screen and the
// catalogues opened last.

#include <QMainWindow>
#include <QUndoStack>
#include <memory>

#include "app/CatalogStore.h"

namespace tolvane {

class TCatalogForm;
class TMainMenu;
class TMissingFiles;

class TMainWindow : public QMainWindow {
public:
    explicit TMainWindow(QWidget* parent = nullptr);
    ~TMainWindow() override;

    // Shows the catalogue in place of the open one. The new one is opened first: when it cannot
    // be, the error is reported and the open one stays. The open one's pending edits are stored
    // as on closing; when one stays pending (the user chose to go on editing), the open one stays
    // too. Whether the new one is shown.
    bool OpenCatalog(const QString& path, TOpenMode mode = TOpenMode::omReadWrite);
    // The catalogue window inside, or null before the first catalogue.
    TCatalogForm* Form() const { return form_; }
    TMainMenu& Menu() const { return *menu_; }
    // The changes made in this window to the catalogue it shows, to undo and redo.
    QUndoStack& History() { return history_; }
    // From now on closing asks no one (the program is ending on a signal or the session's end).
    void SetUnattended();

    // The catalogue window of a top-level window: itself, or the one a main window holds.
    static TCatalogForm* FormOf(QWidget* window);

protected:
    void closeEvent(QCloseEvent* event) override;
    // A folder dropped from a file manager is added as Title ▸ Add Folder… adds it.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show(TCatalogForm* form);
    void SavePlace();

    TCatalogForm* form_ = nullptr;
    QUndoStack history_;
    std::unique_ptr<TMainMenu> menu_;
    std::unique_ptr<TMissingFiles> missing_;
    bool placed_ = false;
};

} // namespace tolvane
