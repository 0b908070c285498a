#pragma once
// Notices when another connection (another window, a scan, another program) has changed the
// catalogue. On a file: SQLite's data_version, asked every second while the window is active and
// at once when it becomes active; the check never waits for a lock another writer holds. On a
// server: the writers' announcements (LISTEN), taken in as they come whether the window is active
// or not; a lost connection is told once, and when it is open again (the store reopens it) the
// window refreshes, since announcements made meanwhile never came.

#include <QObject>
#include <QSqlDatabase>
#include <QSqlDriver>
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
    ~TChangeWatcher() override;

    // Starts watching the connection (the version it has now counts as seen); an invalid one stops.
    void Watch(const QSqlDatabase& db);
    // Asks now; returns whether a change was found and taken in.
    bool Check();
    // Whether the watched server's connection is lost, as last checked.
    bool ServerGone() const { return gone_; }

    // Raised when a server's connection is found lost (true) and when it is open again (false).
    std::function<void(bool gone)> OnServerGone;

    static constexpr int kIntervalMs = 1000;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<qint64> Version();
    // The server's side of Check: the connection's state, and the subscription to announcements.
    void CheckServer();
    void Listen();
    void StopListening();
    void Announced(const QString& name, QSqlDriver::NotificationSource source);
    bool TakeIn();

    QWidget* window_;
    std::function<bool()> onChanged_;
    QTimer timer_;
    // Announcements that come together are taken in once.
    QTimer soon_;
    QSqlDatabase db_;
    bool server_ = false;
    bool gone_ = false;
    std::optional<qint64> seen_;
    bool due_ = false;
};

} // namespace tolvane
