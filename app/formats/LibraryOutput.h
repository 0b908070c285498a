#pragma once
// Keeps what a C library prints on the process's standard output and error (mdbtools reports a
// damaged file that way, line by line, from inside its calls) away from the user while it lives,
// and hands it over. Not for use from two threads at once.

#include <string>

namespace tolvane {

class TLibraryOutput {
public:
    TLibraryOutput();
    ~TLibraryOutput();
    TLibraryOutput(const TLibraryOutput&) = delete;
    TLibraryOutput& operator=(const TLibraryOutput&) = delete;

    // What was printed so far.
    std::string Text() const;

private:
    int file_ = -1;           // where the output goes instead
    int saved_[2] = {-1, -1}; // the standard output and error to put back
};

} // namespace tolvane
