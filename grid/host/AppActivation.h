#pragma once
// Notification of the application gaining or losing activation (another program's window
// comes to the front, or ours again). One list per process (docs/registries.md).

#include <functional>

namespace tolvane {

// Registers a handler called with true when the application becomes active, false when it stops
// being active; answers a key for RemoveActivationHandler.
int AddActivationHandler(std::function<void(bool active)> handler);
void RemoveActivationHandler(int key);
// Raises the notification as the platform would (tests use it).
void NotifyApplicationActivation(bool active);

} // namespace tolvane
