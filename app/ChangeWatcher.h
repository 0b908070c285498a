#pragma once
// Notices when another connection (another window, a scan, another program) has changed the
// catalogue: SQLite's data_version, asked every second while the window is active and at once
// when it becomes active. The check never waits for a lock another writer holds.

#include <QObject>
#include <QSqlDatabase>
#include <QTimer>
#include <functional>
#include <optional>

class QWidget;

namespace tolvane {

class TChangeWatcher : public QObject {
public:
    // `onChanged` answers whether it took the change in; when it could not (an editor is open),
    // it is called again at the next check.
    TChangeWatcher(QWidget* window, std::function<bool()> onChanged);

    // Starts watching the connection (the version it has now counts as seen); an invalid one stops.
    void Watch(const QSqlDatabase& db);
    // Asks now; returns whether a change was found and taken in.
    bool Check();

    static constexpr int kIntervalMs = 1000;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<qint64> Version();

    QWidget* window_;
    std::function<bool()> onChanged_;
    QTimer timer_;
    QSqlDatabase db_;
    std::optional<qint64> seen_;
    bool due_ = false;
};

} // namespace tolvane
