#pragma once
// The in-place editor base: the contract between the grid and every editor. The grid parents the
// editor to itself, dresses it like the cell, hands it the cell text and places it over the cell;
// values pass only as text (AsString). The typed accessors serve programmatic use.

#include <functional>

#include <QString>

#include "grid/host/CustomControl.h"

namespace tolvane {

class TCellEditor : public TCustomControl {
public:
    // The editors' own edit event: only the sender (the grid's event of the same name carries
    // the cell and the value).
    using TEditEvent = std::function<void(TCellEditor& Sender)>;
    using TNotifyEvent = std::function<void(TCellEditor& Sender)>;

    TCellEditor();
    ~TCellEditor() override;

    TAlignment Alignment() const { return alignment_; }
    // These three re-create the window when they change; the text survives.
    void SetAlignment(TAlignment value);
    int Margin() const { return margin_; }
    void SetMargin(int value);
    TVerticalAlignment VerticalAlignment() const { return verticalAlignment_; }
    void SetVerticalAlignment(TVerticalAlignment value);
    bool SuppressChange() const { return suppressChange_; }
    void SetSuppressChange(bool value) { suppressChange_ = value; }
    bool IgnoreArrows() const { return ignoreArrows_; }
    void SetIgnoreArrows(bool value) { ignoreArrows_ = value; }
    // Hides the control's colour setter so that editors with a text field follow it.
    void SetColor(TColor value);

    // The Text property; text editors keep it in their field.
    virtual QString Text() const { return text_; }
    virtual void SetText(const QString& value);

    // ---- virtual operations, in slot order ---------------------------------------------------
    // True: the window paints itself (a text field); false: the editor draws its face in
    // PaintEditor and the background is never erased.
    virtual bool UsesWindowPainting() const { return true; }
    virtual void PaintEditor() {}
    // The typed getters throw EConvertError when Text does not convert.
    virtual bool AsBoolean() const;
    virtual TDateTime AsDateTime() const;
    virtual double AsFloat() const;
    virtual int AsInteger() const;
    virtual QString AsString() const;
    virtual void SetAsBoolean(bool value);
    virtual void SetAsDateTime(TDateTime value);
    virtual void SetAsFloat(double value);
    virtual void SetAsInteger(int value);
    virtual void SetAsString(const QString& value);
    // Called by the grid right after the editor was placed, filled and focused.
    virtual void AfterShow() {}
    virtual void Clear() {}
    virtual void SelectAll() {}

    // Fired by the text editors on every text change, OnEdit right after OnChange.
    TNotifyEvent OnChange;
    TEditEvent OnEdit;

    // ---- control hooks --------------------------------------------------------------------
    void Paint() override;
    void NCPaint(TCanvas& canvas) override;
    void BorderStyleChanged() override;
    void WMSetFocus() override;
    void WMKillFocus() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

    // Pointer entering the editor (the platform reports leaving through MouseLeave).
    virtual void MouseEnter() {}

protected:
    virtual void DoChange();
    virtual void DoEdit();
    // Applies the window's settings (alignment, margins, frame) as creating it would. Runs on
    // construction of the derived editor (through RecreateWindow) and on every re-creation.
    virtual void CreateWindow() {}
    // Re-creates the window: the settings are applied afresh and the text is kept.
    void RecreateWindow();
    // Colours or font changed; text editors hand them to their field.
    virtual void AppearanceChanged() {}
    void FontChanged() override;

private:
    QString text_;
    TAlignment alignment_ = taLeftJustify;
    int margin_ = 0;
    TVerticalAlignment verticalAlignment_ = vaMiddle;
    bool suppressChange_ = false;
    bool ignoreArrows_ = false;
};

} // namespace tolvane
