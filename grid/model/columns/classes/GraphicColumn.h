#pragma once
// A column of pictures with a border.

#include "grid/model/columns/CustomColumn.h"

namespace tolvane {

class TGraphicColumn : public TCustomColumn {
public:
    TGraphicColumn();
    static TColumnClasses Classes();

    int Margin() const { return margin_; }
    void SetMargin(int value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    // Stretch the picture to the cell instead of keeping its aspect ratio.
    bool Strecht() const { return strecht_; }
    void SetStrecht(bool value);

protected:
    explicit TGraphicColumn(const TColumnClasses& classes);

private:
    int margin_ = 4;
    int borderWidth_ = 1;
    bool strecht_ = false;
};

} // namespace tolvane
