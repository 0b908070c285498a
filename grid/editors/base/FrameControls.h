#pragma once
// The classic (unthemed) look of the editors' buttons: push buttons and arrow buttons drawn with
// the button-face colours.

#include "grid/host/Canvas.h"

namespace tolvane {

enum TArrowDirection { adUp, adDown };

class TFrameControls {
public:
    // A raised push button, or a sunken one when pushed; the face is filled.
    static void PushButton(TCanvas& canvas, const TRect& rect, bool pushed);
    // A push button with a small solid arrow in its middle (scroll arrows, the combo-box arrow).
    static void ArrowButton(TCanvas& canvas, const TRect& rect, TArrowDirection direction, bool pushed);
};

} // namespace tolvane
