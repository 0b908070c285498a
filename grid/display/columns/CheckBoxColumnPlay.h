#pragma once

#include "grid/display/base/ColumnPlay.h"

namespace tolvane {

class TCheckBoxColumnPlay : public TColumnPlay {
public:
    explicit TCheckBoxColumnPlay(TCustomColumn& column);
    void KeyPress(QChar& key) override;
    void MouseClick(TMouseButton button, TShiftState shift, int x, int y) override;
    // The box in cell coordinates, where the check-box editor draws it.
    TRect GetCheckRect() const;

private:
    void Toggle();
};

} // namespace tolvane
