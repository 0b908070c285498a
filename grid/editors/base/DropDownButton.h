#pragma once
// The drop-down arrow button of the choice editors.

#include "grid/editors/base/SmallButton.h"

namespace tolvane {

class TDropDownButton : public TSmallButton {
public:
    static constexpr int DefaultWidth = 16;

    TDropDownButton();
    void Paint() override;
};

} // namespace tolvane
