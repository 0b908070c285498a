#pragma once
// A column drawing each cell's number as a progress bar.

#include "grid/model/columns/CustomColumn.h"

namespace tolvane {

enum TProgressStyle { psSolid, psGradient, psCylinder };

class TProgressColumn : public TCustomColumn {
public:
    TProgressColumn();
    static TColumnClasses Classes();

    int Max() const { return max_; }
    void SetMax(int value) { max_ = value; }
    int Margin() const { return margin_; }
    void SetMargin(int value) { margin_ = value; }
    TColor ProgressColor() const { return progressColor_; }
    void SetProgressColor(TColor value);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor value) { borderColor_ = value; }
    bool ShowText() const { return showText_; }
    void SetShowText(bool value) { showText_ = value; }
    TProgressStyle ProgressStyle() const { return progressStyle_; }
    void SetProgressStyle(TProgressStyle value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value) { transparent_ = value; }
    bool HideWhenEmpty() const { return hideWhenEmpty_; }
    void SetHideWhenEmpty(bool value);

    // Copies neither Transparent nor HideWhenEmpty.
    void CopyFrom(const TCustomColumn& source) override;

protected:
    explicit TProgressColumn(const TColumnClasses& classes);

private:
    int max_ = 100;
    int margin_ = 2;
    TColor progressColor_ = clHighlight;
    TColor borderColor_ = clGray;
    bool showText_ = false;
    TProgressStyle progressStyle_ = psSolid;
    bool transparent_ = false;
    bool hideWhenEmpty_ = false;
};

} // namespace tolvane
