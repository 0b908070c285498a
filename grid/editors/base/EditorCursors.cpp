#include "grid/editors/base/EditorCursors.h"

namespace tolvane {

void RegisterEditorCursors() {
    TScreen::LoadCursor(crReversedArrow, "REVERSEDARROW");
}

} // namespace tolvane
