#pragma once
// The program's window on a catalogue, shown and active, as a test starts it.

#include <memory>

#include <QApplication>
#include <QCoreApplication>

#include "app/window/MainWindow.h"

namespace tolvane::test {

inline std::unique_ptr<TMainWindow> ShownWindow(const QString& catalogue) {
    auto window = std::make_unique<TMainWindow>();
    window->OpenCatalog(catalogue);
    window->show();
    QApplication::setActiveWindow(window.get());
    QCoreApplication::processEvents();
    return window;
}

} // namespace tolvane::test
