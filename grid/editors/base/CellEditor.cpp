#include "grid/editors/base/CellEditor.h"

#include "grid/base/Conversions.h"
#include "grid/editors/base/EditorCursors.h"
#include "grid/shared/ThemesSupport.h"

namespace tolvane {

TCellEditor::TCellEditor() {
    SetColor(clWindow);
    SetBounds(Left(), Top(), 121, 20);
    SetTabStop(true);
    SetBorderStyle(bsSingle);
    RegisterEditorCursors();
}

TCellEditor::~TCellEditor() {
    // Handlers of a grid must not run while the editor goes.
    OnEnter = nullptr;
    OnExit = nullptr;
    OnKeyDown = nullptr;
    OnChange = nullptr;
    OnEdit = nullptr;
}

void TCellEditor::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    RecreateWindow();
}

void TCellEditor::SetMargin(int value) {
    if (value == margin_) return;
    margin_ = value;
    RecreateWindow();
}

void TCellEditor::SetVerticalAlignment(TVerticalAlignment value) {
    if (value == verticalAlignment_) return;
    verticalAlignment_ = value;
    RecreateWindow();
}

void TCellEditor::SetColor(TColor value) {
    if (value == Color()) return;
    TCustomControl::SetColor(value);
    AppearanceChanged();
}

void TCellEditor::FontChanged() {
    TCustomControl::FontChanged();
    AppearanceChanged();
}

void TCellEditor::RecreateWindow() {
    const QString text = Text();
    const bool suppress = suppressChange_;
    suppressChange_ = true;
    CreateWindow();
    if (Text() != text) SetText(text);
    suppressChange_ = suppress;
    Invalidate();
}

void TCellEditor::SetText(const QString& value) {
    if (value == text_) return;
    text_ = value;
    Invalidate();
}

bool TCellEditor::AsBoolean() const {
    return StrToBool(Text());
}
TDateTime TCellEditor::AsDateTime() const {
    return StrToDateTime(Text());
}
double TCellEditor::AsFloat() const {
    return StrToFloat(Text());
}
int TCellEditor::AsInteger() const {
    return StrToInt(Text());
}
QString TCellEditor::AsString() const {
    return Text();
}
void TCellEditor::SetAsBoolean(bool value) {
    SetText(value ? QStringLiteral("True") : QStringLiteral("False"));
}
void TCellEditor::SetAsDateTime(TDateTime value) {
    SetText(DateTimeToStr(value));
}
void TCellEditor::SetAsFloat(double value) {
    SetText(FloatToStr(value));
}
void TCellEditor::SetAsInteger(int value) {
    SetText(IntToStr(value));
}
void TCellEditor::SetAsString(const QString& value) {
    SetText(value);
}

void TCellEditor::DoChange() {
    if (OnChange) OnChange(*this);
}

void TCellEditor::DoEdit() {
    if (OnEdit) OnEdit(*this);
}

void TCellEditor::Paint() {
    // An editor that draws its own face is never erased first: all its pixels are its own.
    if (UsesWindowPainting())
        TCustomControl::Paint();
    else
        PaintEditor();
}

void TCellEditor::BorderStyleChanged() {
    // bsSingle: one pixel of themed frame, or the classic two-pixel sunken edge.
    SetBorderWidth(BorderStyle() == bsSingle && !ThemesAvailable() ? 1 : 0);
    RedrawFrame();
}

void TCellEditor::NCPaint(TCanvas& canvas) {
    if (BorderStyle() != bsSingle) return;
    const TRect whole{0, 0, Width(), Height()};
    if (ThemesAvailable()) {
        SetBorderWidth(0);
        canvas.Brush.Color = Color();
        canvas.Brush.Style = bsSolid;
        canvas.FillRect(whole);
        DrawThemeElement(canvas, whole, 0, 1, QStringLiteral("edit"));
        return;
    }
    SetBorderWidth(1);
    const int l = 0, t = 0, r = Width() - 1, b = Height() - 1;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = clBtnShadow;
    canvas.Polyline({{l, b}, {l, t}, {r + 1, t}});
    canvas.Pen.Color = clBtnHighlight;
    canvas.Polyline({{r, t + 1}, {r, b}, {l, b}});
    canvas.Pen.Color = clWindowFrame;
    canvas.Polyline({{l + 1, b - 1}, {l + 1, t + 1}, {r, t + 1}});
    canvas.Pen.Color = clBtnFace;
    canvas.Polyline({{r - 1, t + 2}, {r - 1, b - 1}, {l + 1, b - 1}});
}

void TCellEditor::WMSetFocus() {
    TCustomControl::WMSetFocus();
    Invalidate();
}

void TCellEditor::WMKillFocus() {
    TCustomControl::WMKillFocus();
    Invalidate();
}

void TCellEditor::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (CanFocus() && !Focused()) SetFocus();
}

} // namespace tolvane
