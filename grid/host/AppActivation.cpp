#include "grid/host/AppActivation.h"

#include <map>
#include <vector>

#include <QGuiApplication>

#include "grid/host/ExceptionSink.h"

namespace tolvane {

namespace {

struct Registry {
    std::map<int, std::function<void(bool)>> handlers;
    int nextKey = 1;
    bool connected = false;
};

Registry& Handlers() {
    static Registry r;
    return r;
}

void ConnectOnce() {
    Registry& r = Handlers();
    if (r.connected) return;
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app) return;
    r.connected = true;
    QObject::connect(app, &QGuiApplication::applicationStateChanged, app, [](Qt::ApplicationState state) {
        NotifyApplicationActivation(state == Qt::ApplicationActive);
    });
}

} // namespace

int AddActivationHandler(std::function<void(bool)> handler) {
    ConnectOnce();
    Registry& r = Handlers();
    const int key = r.nextKey++;
    r.handlers[key] = std::move(handler);
    return key;
}

void RemoveActivationHandler(int key) {
    Handlers().handlers.erase(key);
}

void NotifyApplicationActivation(bool active) {
    // A handler may remove itself or others while running: walk a copy of the keys.
    std::vector<int> keys;
    for (const auto& [key, _] : Handlers().handlers) keys.push_back(key);
    for (int key : keys) {
        auto it = Handlers().handlers.find(key);
        if (it != Handlers().handlers.end() && it->second) {
            auto handler = it->second;
            // Called from Qt's signal: one handler's failure is reported and the others still run.
            GuardedCall([&] { handler(active); });
        }
    }
}

} // namespace tolvane
