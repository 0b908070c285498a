#pragma once
// The number editor with an up/down arrow pair: arrows, the Up and Down keys and the wheel step
// the value by Increment within Min and Max.

#include <memory>

#include "grid/editors/text/NumericEditor.h"

namespace tolvane {

class TSpinButtons;

class TSpinEditor : public TNumericEditor {
public:
    TSpinEditor();
    ~TSpinEditor() override;

    double Increment() const { return increment_; }
    void SetIncrement(double value) { increment_ = value; }
    TSpinButtons& Buttons() { return *buttons_; }

    // Part 1 steps up, 2 down; a step that would leave Min..Max does nothing.
    void Step(int part);

    double AsFloat() const override;
    // Value rounded to the nearest integer, halves to the even one.
    int AsInteger() const override;
    void SetAsFloat(double value) override;
    void SetAsInteger(int value) override;
    void AfterShow() override;

    void KeyDown(int& key, TShiftState shift) override;
    void KeyUp(int& key, TShiftState shift) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void Resize() override;
    void BorderStyleChanged() override;

protected:
    int FieldRight() const override;
    void GetTextRect(TRect& rect) override;
    void CreateWindow() override;

private:
    void PlaceButtons();

    double increment_ = 1.0;
    std::unique_ptr<TSpinButtons> buttons_;
};

} // namespace tolvane
