#include "grid/editors/choice/CheckBoxEditor.h"

#include "grid/shared/CalcProvider.h"
#include "grid/shared/GraphicsProvider.h"
#include "grid/shared/ThemesSupport.h"

namespace tolvane {

namespace {

constexpr int kBoxMargin = 2;

QString TruthText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace

TCheckBoxEditor::TCheckBoxEditor() {
    SetColor(clWindow);
    TCellEditor::SetText(TruthText(false));
}

void TCheckBoxEditor::SetChecked(bool value) {
    checked_ = value;
    TCellEditor::SetText(TruthText(value));
    InvalidateRect(BoxRect());
}

QString TCheckBoxEditor::AsString() const {
    return TruthText(checked_);
}

void TCheckBoxEditor::SetAsBoolean(bool value) {
    TCanvasCellEditor::SetAsBoolean(value);
    SetChecked(value);
}

void TCheckBoxEditor::SetAsString(const QString& value) {
    TCanvasCellEditor::SetAsString(value);
    SetChecked(value.toLower() == QLatin1String("true"));
}

TRect TCheckBoxEditor::BoxRect() const {
    const TRect bounds = ClientRect().Inflate(1, 1);
    const int size = ThemesAvailable() ? 13 : 11;
    const TPoint p =
        TCalcProvider::AlignBox(size, size, VerticalAlignment(), Alignment(), bounds, kBoxMargin);
    return TRect{p.X, p.Y, p.X + size, p.Y + size};
}

void TCheckBoxEditor::PaintEditor() {
    TCanvas& canvas = Canvas();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = Color();
    canvas.FillRect(ClientRect());
    TGraphicsProvider::DrawCheckBox(canvas, hot_, grayed_ || pressed_, checked_, VerticalAlignment(),
                                    Alignment(), ClientRect().Inflate(1, 1));
}

void TCheckBoxEditor::SetPressed(bool value) {
    pressed_ = value;
    InvalidateRect(BoxRect());
}

void TCheckBoxEditor::KeyDown(int& key, TShiftState shift) {
    TCanvasCellEditor::KeyDown(key, shift);
    if (key == VK_SPACE) SetPressed(true);
}

void TCheckBoxEditor::KeyUp(int& key, TShiftState shift) {
    TCanvasCellEditor::KeyUp(key, shift);
    // Only a press that went to this editor toggles it.
    if (key != VK_SPACE || !pressed_) return;
    SetPressed(false);
    SetChecked(!checked_);
}

void TCheckBoxEditor::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCanvasCellEditor::MouseDown(button, shift, x, y);
    if (BoxRect().Contains(TPoint{x, y})) SetPressed(true);
}

void TCheckBoxEditor::MouseMove(TShiftState shift, int x, int y) {
    TCanvasCellEditor::MouseMove(shift, x, y);
    const bool inside = BoxRect().Contains(TPoint{x, y});
    if (inside == hot_) return;
    hot_ = inside;
    InvalidateRect(BoxRect());
}

void TCheckBoxEditor::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCanvasCellEditor::MouseUp(button, shift, x, y);
    if (BoxRect().Contains(TPoint{x, y})) SetChecked(!checked_);
    SetPressed(false);
}

void TCheckBoxEditor::MouseLeave() {
    TCanvasCellEditor::MouseLeave();
    hot_ = false;
    InvalidateRect(BoxRect());
}

} // namespace tolvane
