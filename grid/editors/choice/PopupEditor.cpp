#include "grid/editors/choice/PopupEditor.h"

#include "grid/editors/base/DropDownButton.h"
#include "grid/shared/GraphicsProvider.h"

namespace tolvane {

namespace {

// The text of the drop-down-list face starts this far in, or right of the preview box.
constexpr int kFaceIndent = 2;
constexpr int kFacePreviewIndent = 29;

} // namespace

bool IsDropDownKey(int key, TShiftState shift, bool orClose) {
    const bool alt = shift.Contains(ssAlt);
    if (key == VK_F4) return !alt && !shift.Contains(ssCtrl); // Alt+F4 and Ctrl+F4 close windows
    return alt && (key == VK_DOWN || (orClose && key == VK_UP));
}

TPopupEditor::TPopupEditor() : TPopupEditor(nullptr) {}

TPopupEditor::TPopupEditor(TPopupViewClass popupClass)
    : TCustomButtonCellEditor(TButtonEditorClasses{&CreateEditorButton<TDropDownButton>, popupClass}) {}

void TPopupEditor::SetStyle(TDropDownStyle value) {
    style_ = value;
    SetReadOnly(value == dsDropDownList);
    SetCursor(value == dsDropDownList ? crArrow : crDefault);
    ApplyTextRect();
    Invalidate();
}

void TPopupEditor::SetHideFocus(bool value) {
    hideFocus_ = value;
    Invalidate();
}

void TPopupEditor::GetTextRect(TRect& rect) {
    if (style_ == dsDropDownList) {
        // The field shows nothing; PaintEditor draws the face.
        rect = TRect{0, 0, 0, 0};
        return;
    }
    TCustomButtonCellEditor::GetTextRect(rect);
}

void TPopupEditor::SelectAll() {
    if (style_ == dsDropDown) TCustomButtonCellEditor::SelectAll();
}

void TPopupEditor::DropDown() {
    TPopupView* popup = Popup();
    if (!popup) return;
    const TPoint p = ClientToScreen(TPoint{-1, ClientHeight()});
    popup->SetFont(Font());
    popup->SetBounds(popup->Left(), popup->Top(), Width(), popup->Height());
    popup->SetText(Text());
    PreparePopup();
    popup->Popup(p.X, p.Y);
}

void TPopupEditor::DropDownFromKeyboard() {
    DropDown();
    if (!DroppedDown()) return;
    Popup()->Arm();
    Button().SetDown(true);
}

void TPopupEditor::ButtonDown() {
    DropDown();
}

void TPopupEditor::DoPopupClose() {
    if (OnPopupClose) OnPopupClose(*this);
}

void TPopupEditor::AcceptPopupValue(const QString& value) {
    DoPopupClose();
    TCustomButtonCellEditor::AcceptPopupValue(value);
}

void TPopupEditor::PaintEditor() {
    if (style_ != dsDropDownList) return;
    TCanvas& canvas = Canvas();
    const TRect r{0, 0, ClientWidth() - Button().Width(), ClientHeight()};
    canvas.Font = Font();
    canvas.Pen.Color = Color();
    canvas.Brush.Style = bsSolid;
    if (Focused()) {
        canvas.Brush.Color = clHighlight;
        canvas.Font.Color = clHighlightText;
        canvas.Rectangle(r);
        if (!hideFocus_) TGraphicsProvider::DrawFocusFrame(canvas, r.Inflate(-1, -1), false);
    } else {
        canvas.Brush.Color = Color();
        canvas.FillRect(r);
    }
    TRect text = r.Inflate(-Margin(), -Margin());
    text.Left += ShowPreview() ? kFacePreviewIndent : kFaceIndent;
    canvas.Brush.Style = bsClear;
    TGraphicsProvider::DrawTextAligned(canvas, text, Text(), false, VerticalAlignment(), Alignment());
    canvas.Brush.Style = bsSolid;
}

void TPopupEditor::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomButtonCellEditor::MouseDown(button, shift, x, y);
    if (style_ != dsDropDownList || button != mbLeft) return;
    DropDown();
    Button().SetDown(true);
}

void TPopupEditor::MouseMove(TShiftState shift, int x, int y) {
    TCustomButtonCellEditor::MouseMove(shift, x, y);
    SetCursor(style_ == dsDropDownList ? crArrow : crDefault);
}

void TPopupEditor::KeyDown(int& key, TShiftState shift) {
    if (IsDropDownKey(key, shift, true)) {
        if (DroppedDown())
            Popup()->ClosePopup();
        else if (key != VK_UP)
            DropDownFromKeyboard();
        key = 0;
        return;
    }
    if (DroppedDown()) {
        Popup()->KeyDown(key, shift);
        if (key == VK_ESCAPE && DroppedDown()) {
            Popup()->ClosePopup();
            key = 0;
        }
        if (key == 0) return;
    }
    TCustomButtonCellEditor::KeyDown(key, shift);
}

void TPopupEditor::KeyPress(QChar& key) {
    TCustomButtonCellEditor::KeyPress(key);
    if (key == QChar(VK_ESCAPE) && DroppedDown()) Popup()->ClosePopup();
}

void TPopupEditor::WindowHidden() {
    TCustomButtonCellEditor::WindowHidden();
    if (DroppedDown()) Popup()->ClosePopup();
}

} // namespace tolvane
