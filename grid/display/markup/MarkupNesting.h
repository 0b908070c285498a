#pragma once
// The nesting counts of markup tags, one per tag kind, from zero for every text: a start tag
// counts up and an end tag down at its ">", never below zero, so that a stray end tag does not
// hold back the next start tag. A kind's style is on while its count is at least 1.

#include <array>

#include "grid/display/markup/MarkupTokenizer.h"

namespace tolvane {

class TMarkupNesting {
public:
    // Counts a tag token; applications by a blank inside the brackets do not count, so that one
    // end tag undoes a start tag that has attributes. Runs are ignored.
    void Count(const TMarkupToken& token);
    int CountOf(TMarkupTag tag) const { return counts_[tag]; }
    bool IsOn(TMarkupTag tag) const { return counts_[tag] >= 1; }
    void Reset() { counts_.fill(0); }

private:
    std::array<int, MarkupTagCount> counts_{};
};

} // namespace tolvane
