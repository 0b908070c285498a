#pragma once
// The free-text editor: the platform's edit field laid out like a grid cell (alignment, vertical
// alignment, margin) with an optional preview box at its left edge. A click in the left 3 pixels
// selects the whole text.

#include <functional>
#include <memory>

#include "grid/editors/base/CellEditor.h"

namespace tolvane {

class TEditField;

class TTextualEditor : public TCellEditor {
public:
    using TCustomPreviewDrawEvent = std::function<void(TTextualEditor& Sender, const TRect& PreviewRect)>;

    static constexpr int PreviewWidth = 27;
    // The strip at the left edge that selects the whole text.
    static constexpr int SelectStrip = 2;

    TTextualEditor();
    ~TTextualEditor() override;

    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    bool ShowPreview() const { return showPreview_; }
    void SetShowPreview(bool value);
    TCustomPreviewDrawEvent OnCustomPreviewDraw;

    QString Text() const override;
    void SetText(const QString& value) override;

    // ---- overrides of the editor contract --------------------------------------------------
    void SetAsString(const QString& value) override;
    // The caret after the last character, nothing selected.
    void AfterShow() override;
    void Clear() override;
    void SelectAll() override;

    // ---- added operations, in slot order ----------------------------------------------------
    // The formatting rectangle of the text, in client coordinates.
    virtual void GetTextRect(TRect& rect);
    virtual void DrawPreview(const TRect& rect);

    int SelStart() const;
    int SelLength() const;
    QString SelText() const;
    void SetSelection(int start, int length);
    void SetCaret(int position);
    // The character-cell height of the editor's font.
    int TextHeight();
    // The box the preview is drawn in (inside its black frame).
    TRect PreviewRect() const;

    // The hosted field; tests and derived editors reach the platform's behaviour through it.
    TEditField& Field() { return *field_; }

    // ---- control hooks --------------------------------------------------------------------
    void Paint() override;
    void Resize() override;
    void KeyPress(QChar& key) override;
    void WMSetFocus() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;

protected:
    virtual void DoCustomPreviewDraw(const TRect& rect);
    // The platform's text-changed notification.
    virtual void TextChanged();
    // Replaces the field's paste when a derived editor asks for it (UsePasteHook).
    virtual void Paste() {}
    void UsePasteHook();
    // The right edge of the field: buttons of derived editors lie beyond it.
    virtual int FieldRight() const { return ClientWidth(); }
    // Lays the field out anew after a change of size, font, preview or buttons.
    void ApplyTextRect();
    void CreateWindow() override;
    void AppearanceChanged() override;

private:
    std::unique_ptr<TEditField> field_;
    bool autoSelect_ = false;
    bool readOnly_ = false;
    bool showPreview_ = false;
};

} // namespace tolvane
