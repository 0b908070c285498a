#include "grid/host/Timer.h"

#include <QTimer>

#include "grid/host/ExceptionSink.h"

namespace tolvane {

struct TTimer::Impl {
    QTimer timer;
    int interval = 1000;
    bool enabled = true;
};

TTimer::TTimer() : d(std::make_unique<Impl>()) {
    QObject::connect(&d->timer, &QTimer::timeout, [this] { GuardedCall([this] { Tick(); }); });
}

TTimer::~TTimer() = default;

int TTimer::Interval() const {
    return d->interval;
}

void TTimer::SetInterval(int ms) {
    if (ms == d->interval) return;
    d->interval = ms;
    Update();
}

bool TTimer::Enabled() const {
    return d->enabled;
}

void TTimer::SetEnabled(bool on) {
    d->enabled = on;
    Update();
}

bool TTimer::Running() const {
    return d->timer.isActive();
}

void TTimer::SetOnTimer(std::function<void()> handler) {
    OnTimer = std::move(handler);
    Update();
}

void TTimer::Tick() {
    if (OnTimer) OnTimer();
}

void TTimer::Update() {
    // Like the classic timer: a change restarts the countdown.
    d->timer.stop();
    if (d->enabled && d->interval > 0 && OnTimer) d->timer.start(d->interval);
}

} // namespace tolvane
