#include "grid/display/columns/HtmlColumnDisplay.h"

namespace tolvane {

THtmlColumnDisplay::THtmlColumnDisplay(TCustomColumn& column) : TColumnDisplay(column) {}

// Until the markup renderer is in place the text is shown as it stands.
void THtmlColumnDisplay::Paint() {
    TRect r;
    GetTextRect(r);
    DrawText(TextValue, r);
}

} // namespace tolvane
