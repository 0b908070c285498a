#pragma once
// Runs the real tolvane program as a child process, as a user does: without a display, so that a
// window or any QApplication it should not make fails loudly; with its output on a terminal (a
// pseudo-terminal in raw mode, so that the bytes arrive as written) or in pipes; as an ordinary
// user when the tests run as root, for whom file permissions hold.

#include <QCoreApplication>
#include <QStringList>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace tolvane::test {

struct TProgramRun {
    int status = -1; // the exit status; 128 + the signal for a program that was killed
    std::string out; // on a terminal: stdout and stderr together
    std::string err;
};

struct TProgramOptions {
    bool terminal = false;
    bool asUser = false; // drop root's rights (to nobody) before the program starts
};

inline QString ProgramPath() {
    return QCoreApplication::applicationDirPath() + "/../tolvane";
}

inline TProgramRun RunProgram(const QStringList& args, const TProgramOptions& options = {}) {
    // Everything the child needs is made before the fork: after it, in a process with threads,
    // only system calls are safe.
    std::vector<std::string> argv{ProgramPath().toStdString()};
    for (const QString& a : args) argv.push_back(a.toStdString());
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        if (name != "DISPLAY" && name != "WAYLAND_DISPLAY" && name != "QT_QPA_PLATFORM") env.push_back(entry);
    }
    std::vector<char*> rawArgv, rawEnv;
    for (std::string& a : argv) rawArgv.push_back(a.data());
    rawArgv.push_back(nullptr);
    for (std::string& e : env) rawEnv.push_back(e.data());
    rawEnv.push_back(nullptr);
    const bool dropRoot = options.asUser && geteuid() == 0;
    auto exec = [&] {
        if (dropRoot && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) _exit(126);
        execve(rawArgv[0], rawArgv.data(), rawEnv.data());
        _exit(127);
    };

    TProgramRun run;
    std::vector<std::pair<int, std::string*>> sources;
    pid_t child = -1;
    if (options.terminal) {
        struct termios raw {};
        cfmakeraw(&raw);
        int master = -1;
        child = forkpty(&master, nullptr, &raw, nullptr);
        if (child == 0) exec();
        sources.push_back({master, &run.out});
    } else {
        int out[2], err[2];
        if (pipe(out) != 0 || pipe(err) != 0) return run;
        child = fork();
        if (child == 0) {
            dup2(out[1], STDOUT_FILENO);
            dup2(err[1], STDERR_FILENO);
            close(out[0]);
            close(err[0]);
            exec();
        }
        close(out[1]);
        close(err[1]);
        sources.push_back({out[0], &run.out});
        sources.push_back({err[0], &run.err});
    }
    if (child < 0) return run;

    // Reads until every source ends (a terminal ends with EIO once the child is gone).
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!sources.empty() && std::chrono::steady_clock::now() < deadline) {
        std::vector<pollfd> polls;
        for (const auto& s : sources) polls.push_back({s.first, POLLIN, 0});
        if (poll(polls.data(), polls.size(), 1000) <= 0) continue;
        for (std::size_t i = polls.size(); i-- > 0;) {
            if (!polls[i].revents) continue;
            char buffer[4096];
            const ssize_t n = read(polls[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sources[i].second->append(buffer, std::size_t(n));
            } else {
                close(polls[i].fd);
                sources.erase(sources.begin() + std::ptrdiff_t(i));
            }
        }
    }
    for (const auto& s : sources) close(s.first);
    if (!sources.empty()) kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

} // namespace tolvane::test
