#include "grid/editors/base/ExecuteButton.h"

#include "grid/editors/base/FrameControls.h"
#include "grid/shared/ThemesSupport.h"

namespace tolvane {

TExecuteButton::TExecuteButton() {
    SetBounds(Left(), Top(), DefaultWidth, Height() > 0 ? Height() : 20);
}

void TExecuteButton::SetGlyph(const TBitmap* glyph) {
    glyph_ = glyph ? std::make_unique<TBitmap>(*glyph) : nullptr;
    Invalidate();
}

void TExecuteButton::Paint() {
    TCanvas& canvas = Canvas();
    const TRect client = ClientRect();
    if (ThemesAvailable()) {
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = Color();
        canvas.FillRect(client);
        DrawThemeElement(canvas, client.Inflate(1, 1), VisualState(), 1, QStringLiteral("button"));
    } else if (Down()) {
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = clBtnFace;
        canvas.FillRect(client);
        canvas.Brush.Color = clBtnShadow;
        canvas.FrameRect(client);
    } else {
        TFrameControls::PushButton(canvas, client, false);
    }
    if (glyph_) canvas.Draw(Width() / 2 - glyph_->Width() / 2, Height() / 2 - glyph_->Height() / 2, *glyph_);
}

} // namespace tolvane
