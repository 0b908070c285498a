#include "app/ChangeWatcher.h"

#include <QEvent>
#include <QSqlQuery>
#include <QWidget>

#include "app/ServerConnection.h"

namespace tolvane {

TChangeWatcher::TChangeWatcher(QWidget* window, std::function<bool()> onChanged)
    : window_(window), onChanged_(std::move(onChanged)) {
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] { Check(); });
    window_->installEventFilter(this);
}

void TChangeWatcher::Watch(const QSqlDatabase& db) {
    db_ = db;
    due_ = false;
    seen_.reset();
    // A server's catalogue is not polled: its changes are not yet announced to the window.
    if (!db_.isValid() || !db_.isOpen() || TServerConnection::IsServer(db_)) {
        db_ = QSqlDatabase();
        timer_.stop();
        return;
    }
    seen_ = Version();
    if (window_->isActiveWindow()) timer_.start();
}

std::optional<qint64> TChangeWatcher::Version() {
    QSqlQuery q(db_);
    // A writer holding the lock must not stall the window: this one question does not wait.
    qint64 wait = 0;
    if (q.exec("PRAGMA busy_timeout") && q.next()) wait = q.value(0).toLongLong();
    q.exec("PRAGMA busy_timeout = 0");
    std::optional<qint64> version;
    if (q.exec("PRAGMA data_version") && q.next()) version = q.value(0).toLongLong();
    q.finish();
    q.exec(QString("PRAGMA busy_timeout = %1").arg(wait));
    return version;
}

bool TChangeWatcher::Check() {
    if (!db_.isValid() || !db_.isOpen()) return false;
    const std::optional<qint64> version = Version();
    if (!version) return false; // locked just now: asked again at the next check
    if (version != seen_) {
        seen_ = version;
        due_ = true;
    }
    if (!due_) return false;
    due_ = !onChanged_();
    return !due_;
}

bool TChangeWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::ActivationChange) {
        if (window_->isActiveWindow() && db_.isValid() && db_.isOpen()) {
            timer_.start();
            Check();
        } else {
            timer_.stop();
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tolvane
