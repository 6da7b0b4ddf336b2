#include "app/virtual_key.h"

#include "app/command_table.h"

#include <array>

namespace NCommands {

namespace {

struct SKeyCode {
    int qtKey;
    std::uint32_t virtualKey;
};

// Keys whose Qt code differs from the virtual-key code. Letters and digits
// share their codes; function keys are counted from F1.
constexpr std::array<SKeyCode, 17> kKeyCodes{{
    {Qt::Key_Backspace, kVkBack},
    {Qt::Key_Tab, kVkTab},
    // Shift+Tab arrives as its own key.
    {Qt::Key_Backtab, kVkTab},
    {Qt::Key_Return, kVkReturn},
    {Qt::Key_Enter, kVkReturn},
    {Qt::Key_Escape, kVkEscape},
    {Qt::Key_Space, kVkSpace},
    {Qt::Key_PageUp, kVkPageUp},
    {Qt::Key_PageDown, kVkPageDown},
    {Qt::Key_End, kVkEnd},
    {Qt::Key_Home, kVkHome},
    {Qt::Key_Left, kVkLeft},
    {Qt::Key_Up, kVkUp},
    {Qt::Key_Right, kVkRight},
    {Qt::Key_Down, kVkDown},
    {Qt::Key_Insert, kVkInsert},
    {Qt::Key_Delete, kVkDelete},
}};

std::uint32_t VirtualKey(int key) {
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return static_cast<std::uint32_t>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return kVkF1 + static_cast<std::uint32_t>(key - Qt::Key_F1);
    for (const SKeyCode& code : kKeyCodes) {
        if (code.qtKey == key)
            return code.virtualKey;
    }
    return 0;
}

std::uint32_t ModifierBits(Qt::KeyboardModifiers modifiers) {
    std::uint32_t bits = 0;
    if (modifiers.testFlag(Qt::ControlModifier))
        bits |= kKeyCtrl;
    if (modifiers.testFlag(Qt::ShiftModifier))
        bits |= kKeyShift;
    if (modifiers.testFlag(Qt::AltModifier))
        bits |= kKeyAlt;
    return bits;
}

} // namespace

std::uint32_t KeyWord(int key, Qt::KeyboardModifiers modifiers) {
    const std::uint32_t virtualKey = VirtualKey(key);
    return virtualKey == 0 ? 0 : virtualKey | ModifierBits(modifiers);
}

} // namespace NCommands
