#include "app/formats/LibraryOutput.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace tolvane {

TLibraryOutput::TLibraryOutput() {
    std::fflush(stdout);
    std::fflush(stderr);
    FILE* file = std::tmpfile();
    if (!file) return;
    file_ = fcntl(fileno(file), F_DUPFD_CLOEXEC, 3);
    std::fclose(file);
    if (file_ < 0) return;
    for (int fd : {STDOUT_FILENO, STDERR_FILENO}) {
        saved_[fd - 1] = fcntl(fd, F_DUPFD_CLOEXEC, 3);
        if (saved_[fd - 1] >= 0) dup2(file_, fd);
    }
}

TLibraryOutput::~TLibraryOutput() {
    // The library's printf may still sit in stdio's buffer: it goes to the file, not the user.
    std::fflush(stdout);
    std::fflush(stderr);
    for (int fd : {STDOUT_FILENO, STDERR_FILENO}) {
        if (saved_[fd - 1] < 0) continue;
        dup2(saved_[fd - 1], fd);
        close(saved_[fd - 1]);
    }
    if (file_ >= 0) close(file_);
}

std::string TLibraryOutput::Text() const {
    std::fflush(stdout);
    std::fflush(stderr);
    std::string text;
    if (file_ < 0) return text;
    char buffer[4096];
    off_t at = 0;
    ssize_t n;
    while ((n = pread(file_, buffer, sizeof buffer, at)) > 0) {
        text.append(buffer, std::size_t(n));
        at += n;
    }
    return text;
}

} // namespace tolvane
