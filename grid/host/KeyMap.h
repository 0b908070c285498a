#pragma once
// Translation between Qt's key codes, modifiers and buttons and the classic virtual-key codes
// and shift states. Platform layer and input helpers only.

#include <Qt>

#include "grid/base/Types.h"

namespace tolvane {

int VirtualKeyFromQt(int qtKey); // 0 for keys without a virtual-key code
int QtKeyFromVirtualKey(int vk); // 0 for unknown codes
TShiftState ShiftStateFrom(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
Qt::KeyboardModifiers ModifiersFrom(TShiftState shift);
Qt::MouseButtons ButtonsFrom(TShiftState shift);
Qt::MouseButton QtButtonFrom(TMouseButton button);
// Left for any button that is neither right nor middle.
TMouseButton ButtonFrom(Qt::MouseButton button);

} // namespace tolvane
