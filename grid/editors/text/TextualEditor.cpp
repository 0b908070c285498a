#include "grid/editors/text/TextualEditor.h"

#include "grid/base/Errors.h"
#include "grid/editors/base/EditorCursors.h"
#include "grid/host/EditField.h"

namespace tolvane {

TTextualEditor::TTextualEditor() : field_(std::make_unique<TEditField>(*this)) {
    TEditField& f = *field_;
    f.OnKeyDown = [this](int& key, TShiftState shift) { KeyDown(key, shift); };
    f.OnKeyPress = [this](QChar& key) { KeyPress(key); };
    f.OnKeyUp = [this](int& key, TShiftState shift) { KeyUp(key, shift); };
    f.OnChange = [this] { TextChanged(); };
    f.OnMouseDown = [this](TMouseButton b, TShiftState s, int x, int y) { MouseDown(b, s, x, y); };
    f.OnMouseMove = [this](TShiftState s, int x, int y) { MouseMove(s, x, y); };
    f.OnMouseUp = [this](TMouseButton b, TShiftState s, int x, int y) { MouseUp(b, s, x, y); };
    f.OnMouseWheel = [this](TShiftState s, int delta, TPoint p) { return DoMouseWheel(s, delta, p); };
    f.OnFocusIn = [this] { WMSetFocus(); };
    f.OnFocusOut = [this] { WMKillFocus(); };
    f.OnMouseEnter = [this] { MouseEnter(); };
    f.OnMouseLeave = [this] { MouseLeave(); };
    TTextualEditor::CreateWindow();
    TTextualEditor::AppearanceChanged();
}

TTextualEditor::~TTextualEditor() {
    OnCustomPreviewDraw = nullptr;
    field_.reset();
}

QString TTextualEditor::Text() const {
    return field_->Text();
}

void TTextualEditor::SetText(const QString& value) {
    field_->SetText(value);
}

void TTextualEditor::SetReadOnly(bool value) {
    if (value == readOnly_) return;
    readOnly_ = value;
    field_->SetReadOnly(value);
}

void TTextualEditor::SetShowPreview(bool value) {
    if (value == showPreview_) return;
    showPreview_ = value;
    ApplyTextRect();
    Invalidate();
}

void TTextualEditor::SetAsString(const QString& value) {
    SetText(value);
}

void TTextualEditor::AfterShow() {
    field_->SetCaret(int(Text().size()));
}

void TTextualEditor::Clear() {
    SetText(QString());
}

void TTextualEditor::SelectAll() {
    field_->SelectAll();
}

int TTextualEditor::SelStart() const {
    return field_->SelStart();
}
int TTextualEditor::SelLength() const {
    return field_->SelLength();
}
QString TTextualEditor::SelText() const {
    return field_->SelText();
}
void TTextualEditor::SetSelection(int start, int length) {
    field_->SetSelection(start, length);
}
void TTextualEditor::SetCaret(int position) {
    field_->SetCaret(position);
}

int TTextualEditor::TextHeight() {
    TCanvas& canvas = Canvas();
    canvas.Font = Font();
    return canvas.TextHeight(QStringLiteral("Wg"));
}

void TTextualEditor::GetTextRect(TRect& rect) {
    const int h = TextHeight();
    rect = TRect{Margin() + 2, 0, ClientWidth() - Margin() - 1, ClientHeight() + 1};
    switch (VerticalAlignment()) {
    case vaTop:
        rect.Top = Margin();
        rect.Bottom = rect.Top + h;
        break;
    case vaMiddle:
        rect.Top = (ClientHeight() - 1) / 2 - h / 2;
        rect.Bottom = rect.Top + h;
        break;
    case vaBottom:
        rect.Bottom = ClientHeight() - Margin();
        rect.Top = rect.Bottom - h;
        break;
    }
    if (showPreview_) rect.Left += PreviewWidth;
}

void TTextualEditor::ApplyTextRect() {
    TRect text;
    GetTextRect(text);
    if (text == TRect{0, 0, 0, 0}) {
        // No text rectangle (a drop-down list draws its own face): the field keeps the focus and
        // the keys but covers no pixel.
        field_->SetLayout(text, text);
        return;
    }
    // The field starts right of the preview box, so that the box is the editor's own paint.
    const int left = showPreview_ ? PreviewRect().Right + 2 : 0;
    const TRect fieldRect{left, 0, std::max(left, FieldRight()), ClientHeight()};
    // A text taller than the client is centred on the field instead of being cut.
    if (text.Top < 0 || text.Bottom > fieldRect.Bottom) {
        text.Top = 0;
        text.Bottom = fieldRect.Bottom;
    }
    field_->SetLayout(fieldRect, text);
}

TRect TTextualEditor::PreviewRect() const {
    const TRect client = ClientRect();
    const TRect box{client.Left + 1, client.Top + 1, client.Left + 21, client.Bottom - 1};
    return box;
}

void TTextualEditor::DrawPreview(const TRect& rect) {
    DoCustomPreviewDraw(rect);
}

void TTextualEditor::DoCustomPreviewDraw(const TRect& rect) {
    if (OnCustomPreviewDraw) OnCustomPreviewDraw(*this, rect);
}

void TTextualEditor::Paint() {
    TCellEditor::Paint();
    if (!showPreview_) return;
    TCanvas& canvas = Canvas();
    const TRect box = PreviewRect();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clBlack;
    canvas.FrameRect(box);
    DrawPreview(box.Inflate(-1, -1));
}

void TTextualEditor::Resize() {
    TCellEditor::Resize();
    ApplyTextRect();
}

void TTextualEditor::CreateWindow() {
    field_->SetAlignment(Alignment());
    field_->SetReadOnly(readOnly_);
    ApplyTextRect();
}

void TTextualEditor::AppearanceChanged() {
    field_->SetColors(Color(), Font().Color);
    field_->SetFont(Font());
    ApplyTextRect();
}

void TTextualEditor::UsePasteHook() {
    field_->OnPaste = [this] {
        // A clipboard text that holds no number pastes nothing; the text stays as it was, and
        // no error escapes into the window system's event handling.
        try {
            Paste();
        } catch (const EConvertError&) {
        }
    };
}

void TTextualEditor::TextChanged() {
    if (SuppressChange()) return;
    DoChange();
    DoEdit();
    Invalidate();
}

void TTextualEditor::KeyPress(QChar& key) {
    TCellEditor::KeyPress(key);
    if (key == QChar(VK_RETURN)) key = QChar(0);
}

void TTextualEditor::WMSetFocus() {
    TCellEditor::WMSetFocus();
    if (autoSelect_) SelectAll();
}

void TTextualEditor::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCellEditor::MouseDown(button, shift, x, y);
    if (x <= SelectStrip) SelectAll();
}

void TTextualEditor::MouseMove(TShiftState shift, int x, int y) {
    TCellEditor::MouseMove(shift, x, y);
    const TCursor cursor = x <= SelectStrip ? crReversedArrow : crDefault;
    field_->SetCursor(cursor);
    SetCursor(cursor);
}

} // namespace tolvane
