#pragma once
// The menu bar: Catalogue, Title, Edit and Help, with the platform's standard keys. Its actions
// are named, so that they can be found by name.

#include <QList>
#include <QObject>
#include <memory>

class QAction;
class QMenu;

namespace tolvane {

class TCatalogueCommands;
class TEpisodeFiles;
class TTitleCommands;
class TMainWindow;

class TMainMenu {
public:
    explicit TMainMenu(TMainWindow& window);
    ~TMainMenu();

    // The action of that object name ("actionOpen", ...), or null.
    QAction* Action(const QString& name) const;
    // The Open Recent submenu's entries, newest first.
    QList<QAction*> RecentActions() const;
    // Another catalogue is shown: the recent list and what can be done with it follow.
    void CatalogueChanged();
    TTitleCommands& Titles() const { return *titles_; }
    TEpisodeFiles& Files() const { return *files_; }

private:
    QAction* Add(QMenu* menu, const QString& name, const QString& text, const QKeySequence& keys,
                 const std::function<void()>& run);
    void FillRecent();

    TMainWindow& window_;
    std::unique_ptr<TCatalogueCommands> commands_;
    std::unique_ptr<TTitleCommands> titles_;
    std::unique_ptr<TEpisodeFiles> files_;
    QMenu* recent_ = nullptr;
    QList<QAction*> actions_;
};

} // namespace tolvane
