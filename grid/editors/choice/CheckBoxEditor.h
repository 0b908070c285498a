#pragma once
// The check box editor: draws a check box placed like the column's content and toggles it on the
// release of the space bar or of a click on the box (a press only shows it pressed). Its value is
// "True" or "False"; the word true in any letter case checks it.

#include "grid/editors/base/CanvasCellEditor.h"

namespace tolvane {

class TCheckBoxEditor : public TCanvasCellEditor {
public:
    TCheckBoxEditor();

    bool Checked() const { return checked_; }
    // Also sets the text to "True" or "False".
    void SetChecked(bool value);
    bool Grayed() const { return grayed_; }
    void SetGrayed(bool value) { grayed_ = value; }
    bool Pressed() const { return pressed_; }
    bool Hot() const { return hot_; }
    // The box in client coordinates.
    TRect BoxRect() const;

    bool AsBoolean() const override { return checked_; }
    QString AsString() const override;
    void SetAsBoolean(bool value) override;
    void SetAsString(const QString& value) override;
    void AfterShow() override { Repaint(); }
    void Clear() override { SetChecked(false); }
    void PaintEditor() override;

    void KeyDown(int& key, TShiftState shift) override;
    void KeyUp(int& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseLeave() override;

private:
    void SetPressed(bool value);

    bool checked_ = false;
    bool pressed_ = false;
    bool hot_ = false;
    bool grayed_ = false;
};

} // namespace tolvane
