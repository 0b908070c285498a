#pragma once
// Ends the program in an orderly way when it is asked to stop from outside (SIGTERM at logout or
// shutdown, SIGINT from a terminal, SIGHUP when the terminal goes): the signal only wakes the
// event loop through a pipe, and the action runs there like any other event. A second signal that
// arrives before the loop has answered the first ends the process at once, so that a program
// stuck in a long action can still be stopped.

#include <QObject>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace tolvane {

class TTerminationSignals : public QObject {
public:
    // Installs the handlers; `onTerminate` runs on the event loop for each signal. One instance
    // at a time (a second one throws).
    explicit TTerminationSignals(std::function<void()> onTerminate);
    // Restores the handlers that were there before.
    ~TTerminationSignals() override;
    TTerminationSignals(const TTerminationSignals&) = delete;
    TTerminationSignals& operator=(const TTerminationSignals&) = delete;

    // The usual action: every window is closed (which stores what it holds) and the event loop
    // ends.
    static void CloseAllAndQuit();

    // Whether a signal has come that the event loop has not answered yet: work that keeps the
    // loop from it (a long statement) may end early.
    static bool Unanswered();

private:
    void Drain();

    std::function<void()> onTerminate_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace tolvane
