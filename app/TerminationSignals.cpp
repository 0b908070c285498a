#include "app/TerminationSignals.h"

#include <QApplication>
#include <QWidget>
#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace tolvane {

namespace {

constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};

// Shared with the handler, which may touch nothing else.
int gPipe[2] = {-1, -1};
volatile std::sig_atomic_t gUnanswered = 0;
std::array<struct sigaction, kSignals.size()> gPrevious;

extern "C" void OnSignal(int sig) {
    if (gUnanswered) {
        // The loop never came round to the first one: end the way the signal ends a program.
        std::signal(sig, SIG_DFL);
        std::raise(sig);
        return;
    }
    gUnanswered = 1;
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(gPipe[1], &byte, 1);
    errno = saved;
}

} // namespace

TTerminationSignals::TTerminationSignals(std::function<void()> onTerminate)
    : onTerminate_(std::move(onTerminate)) {
    if (gPipe[0] >= 0) throw std::logic_error("termination signals are watched already");
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, gPipe) != 0)
        throw std::runtime_error("cannot watch termination signals: no pipe");
    ::fcntl(gPipe[0], F_SETFL, ::fcntl(gPipe[0], F_GETFL) | O_NONBLOCK);
    ::fcntl(gPipe[1], F_SETFL, ::fcntl(gPipe[1], F_GETFL) | O_NONBLOCK);
    gUnanswered = 0;

    notifier_ = std::make_unique<QSocketNotifier>(gPipe[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { Drain(); });

    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i) ::sigaction(kSignals[i], &action, &gPrevious[i]);
}

TTerminationSignals::~TTerminationSignals() {
    for (std::size_t i = 0; i < kSignals.size(); ++i) ::sigaction(kSignals[i], &gPrevious[i], nullptr);
    notifier_.reset();
    ::close(gPipe[0]);
    ::close(gPipe[1]);
    gPipe[0] = gPipe[1] = -1;
}

void TTerminationSignals::Drain() {
    char buffer[16];
    while (::read(gPipe[0], buffer, sizeof buffer) > 0) {
    }
    gUnanswered = 0;
    if (onTerminate_) onTerminate_();
}

bool TTerminationSignals::Unanswered() {
    return gUnanswered != 0;
}

void TTerminationSignals::CloseAllAndQuit() {
    // A modal box runs its own loop, which quitting does not end where no main loop runs yet
    // (an error box during start-up): it is closed first, as Escape would.
    for (int i = 0; i < 16; ++i) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) break;
        modal->close();
    }
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

} // namespace tolvane
