#include "grid/host/KeyMap.h"

#include <array>
#include <utility>

namespace tolvane {

namespace {

constexpr std::array<std::pair<int, int>, 30> kKeys = {{
    {Qt::Key_Backspace, VK_BACK},  {Qt::Key_Tab, VK_TAB},       {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},   {Qt::Key_Enter, VK_RETURN},  {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},      {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},     {Qt::Key_PageUp, VK_PRIOR},  {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},         {Qt::Key_Home, VK_HOME},     {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},           {Qt::Key_Right, VK_RIGHT},   {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Insert, VK_INSERT},   {Qt::Key_Delete, VK_DELETE}, {Qt::Key_Pause, 0x13},
    {Qt::Key_CapsLock, 0x14},      {Qt::Key_Print, 0x2C},       {Qt::Key_Menu, 0x5D},
    {Qt::Key_NumLock, 0x90},       {Qt::Key_ScrollLock, 0x91},  {Qt::Key_Plus, 0xBB},
    {Qt::Key_Comma, 0xBC},         {Qt::Key_Minus, 0xBD},       {Qt::Key_Period, 0xBE},
}};

} // namespace

int VirtualKeyFromQt(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 0x70 + (key - Qt::Key_F1);
    for (const auto& [qt, vk] : kKeys)
        if (qt == key) return vk;
    return 0;
}

int QtKeyFromVirtualKey(int vk) {
    if (vk >= 'A' && vk <= 'Z') return Qt::Key_A + (vk - 'A');
    if (vk >= '0' && vk <= '9') return Qt::Key_0 + (vk - '0');
    if (vk >= 0x70 && vk <= 0x87) return Qt::Key_F1 + (vk - 0x70);
    for (const auto& [qt, v] : kKeys)
        if (v == vk) return qt;
    return 0;
}

TShiftState ShiftStateFrom(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState s;
    if (modifiers & Qt::ShiftModifier) s.Include(ssShift);
    if (modifiers & Qt::AltModifier) s.Include(ssAlt);
    if (modifiers & Qt::ControlModifier) s.Include(ssCtrl);
    if (buttons & Qt::LeftButton) s.Include(ssLeft);
    if (buttons & Qt::RightButton) s.Include(ssRight);
    if (buttons & Qt::MiddleButton) s.Include(ssMiddle);
    return s;
}

Qt::KeyboardModifiers ModifiersFrom(TShiftState shift) {
    Qt::KeyboardModifiers m;
    if (shift.Contains(ssShift)) m |= Qt::ShiftModifier;
    if (shift.Contains(ssAlt)) m |= Qt::AltModifier;
    if (shift.Contains(ssCtrl)) m |= Qt::ControlModifier;
    return m;
}

Qt::MouseButtons ButtonsFrom(TShiftState shift) {
    Qt::MouseButtons b;
    if (shift.Contains(ssLeft)) b |= Qt::LeftButton;
    if (shift.Contains(ssRight)) b |= Qt::RightButton;
    if (shift.Contains(ssMiddle)) b |= Qt::MiddleButton;
    return b;
}

Qt::MouseButton QtButtonFrom(TMouseButton button) {
    switch (button) {
    case mbRight:
        return Qt::RightButton;
    case mbMiddle:
        return Qt::MiddleButton;
    default:
        return Qt::LeftButton;
    }
}

TMouseButton ButtonFrom(Qt::MouseButton button) {
    switch (button) {
    case Qt::RightButton:
        return mbRight;
    case Qt::MiddleButton:
        return mbMiddle;
    default:
        return mbLeft;
    }
}

} // namespace tolvane
