#include "grid/display/markup/MarkupNesting.h"

#include <limits>

namespace tolvane {

void TMarkupNesting::Count(const TMarkupToken& token) {
    if (token.Kind != tkTag || !token.Final) return;
    int& count = counts_[token.Tag];
    if (token.EndTag) {
        if (count > 0) --count;
    } else if (count < std::numeric_limits<int>::max()) {
        ++count;
    }
}

} // namespace tolvane
