#pragma once
// Progress for a person watching a terminal: one line on the error stream, rewritten in place and
// cleared at the end, also when the work ends by an exception. Off the terminal it shows nothing.

#include <ostream>
#include <string>

namespace tolvane {

class TProgressLine {
public:
    TProgressLine(std::ostream& err, bool terminal) : err_(err), on_(terminal) {}
    ~TProgressLine() { Clear(); }
    TProgressLine(const TProgressLine&) = delete;
    TProgressLine& operator=(const TProgressLine&) = delete;

    bool Shown() const { return on_; }
    void Show(const std::string& text) {
        if (on_) err_ << "\r\033[K" << text << std::flush;
    }
    // Takes the line away; nothing more is shown.
    void Clear() {
        if (on_) err_ << "\r\033[K" << std::flush;
        on_ = false;
    }

private:
    std::ostream& err_;
    bool on_;
};

} // namespace tolvane
