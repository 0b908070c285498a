#include "grid/editors/base/DropDownButton.h"

#include "grid/editors/base/FrameControls.h"
#include "grid/shared/ThemesSupport.h"

namespace tolvane {

TDropDownButton::TDropDownButton() {
    SetBounds(Left(), Top(), DefaultWidth, Height() > 0 ? Height() : 20);
}

void TDropDownButton::Paint() {
    TCanvas& canvas = Canvas();
    if (ThemesAvailable())
        DrawThemeElement(canvas, ClientRect(), VisualState(), 1, QStringLiteral("combobox"));
    else
        TFrameControls::ArrowButton(canvas, ClientRect(), adDown, Down());
}

} // namespace tolvane
