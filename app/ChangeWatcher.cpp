#include "app/ChangeWatcher.h"

#include <QEvent>
#include <QSqlQuery>
#include <QWidget>

#include "app/ServerConnection.h"

namespace tolvane {

namespace {

// Announcements that come close together (a burst of writes) are taken in once, this long after
// the first.
constexpr int kGatherMs = 100;

} // namespace

TChangeWatcher::TChangeWatcher(QWidget* window, std::function<bool()> onChanged)
    : window_(window), onChanged_(std::move(onChanged)) {
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] { Check(); });
    soon_.setSingleShot(true);
    soon_.setInterval(kGatherMs);
    connect(&soon_, &QTimer::timeout, this, [this] {
        if (!gone_) TakeIn();
    });
    window_->installEventFilter(this);
}

TChangeWatcher::~TChangeWatcher() {
    StopListening();
}

void TChangeWatcher::Watch(const QSqlDatabase& db) {
    StopListening();
    db_ = db;
    due_ = false;
    gone_ = false;
    seen_.reset();
    timer_.stop();
    soon_.stop();
    server_ = db_.isValid() && TServerConnection::IsServer(db_);
    if (!db_.isValid() || !db_.isOpen()) {
        db_ = QSqlDatabase();
        server_ = false;
        return;
    }
    if (server_) {
        // Announcements come whether the window is active or not; the timer only looks after
        // the connection, which costs no round trip.
        Listen();
        timer_.start();
        return;
    }
    seen_ = Version();
    if (window_->isActiveWindow()) timer_.start();
}

void TChangeWatcher::Listen() {
    QSqlDriver* driver = db_.driver();
    if (!driver) return;
    // One connection to the driver's signal: it stays when the store reopens the connection.
    disconnect(driver, &QSqlDriver::notification, this, nullptr);
    connect(driver, &QSqlDriver::notification, this,
            [this](const QString& name, QSqlDriver::NotificationSource source, const QVariant&) {
                Announced(name, source);
            });
    if (!driver->subscribedToNotifications().contains(TServerConnection::Channel))
        driver->subscribeToNotification(TServerConnection::Channel);
}

void TChangeWatcher::StopListening() {
    if (!server_ || !db_.isValid()) return;
    QSqlDriver* driver = db_.driver();
    if (!driver) return;
    disconnect(driver, &QSqlDriver::notification, this, nullptr);
    if (db_.isOpen() && !TServerConnection::Lost(db_) &&
        driver->subscribedToNotifications().contains(TServerConnection::Channel))
        driver->unsubscribeFromNotification(TServerConnection::Channel);
}

void TChangeWatcher::Announced(const QString& name, QSqlDriver::NotificationSource source) {
    // Our own writes are shown already.
    if (name != TServerConnection::Channel || source == QSqlDriver::SelfSource) return;
    due_ = true;
    if (!soon_.isActive()) soon_.start();
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

void TChangeWatcher::CheckServer() {
    const bool lost = TServerConnection::Lost(db_);
    // A lost connection is let go at once, with the driver's watch on its socket, which libpq
    // has closed; the store opens it again when it is next used.
    if (lost && db_.isOpen()) db_.close();
    if (!lost) {
        // Open again after it was lost (the store reopens it when it is next used): what was
        // announced meanwhile never came, and the new connection listens afresh.
        QSqlDriver* driver = db_.driver();
        if (driver && !driver->subscribedToNotifications().contains(TServerConnection::Channel)) {
            Listen();
            if (driver->subscribedToNotifications().contains(TServerConnection::Channel)) due_ = true;
        }
    }
    if (lost == gone_) return;
    gone_ = lost;
    if (OnServerGone) OnServerGone(gone_);
}

bool TChangeWatcher::TakeIn() {
    if (!due_) return false;
    due_ = !onChanged_();
    return !due_;
}

bool TChangeWatcher::Check() {
    if (!db_.isValid()) return false;
    if (server_) {
        CheckServer();
        return !gone_ && TakeIn();
    }
    if (!db_.isOpen()) return false;
    const std::optional<qint64> version = Version();
    if (!version) return false; // locked just now: asked again at the next check
    if (version != seen_) {
        seen_ = version;
        due_ = true;
    }
    return TakeIn();
}

bool TChangeWatcher::eventFilter(QObject* watched, QEvent* event) {
    // WindowActivate and WindowDeactivate reach a window and every widget in it, a form placed
    // in the program's main window too (ActivationChange reaches only the window).
    const QEvent::Type type = event->type();
    const bool activation = type == QEvent::WindowActivate || type == QEvent::WindowDeactivate;
    if (watched == window_ && activation && db_.isValid()) {
        if (server_) {
            Check();
        } else if (window_->isActiveWindow() && db_.isOpen()) {
            timer_.start();
            Check();
        } else {
            timer_.stop();
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tolvane
