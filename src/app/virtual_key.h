#pragma once

#include <QtCore/qnamespace.h>
#include <cstdint>

// The key table speaks in virtual-key codes with modifier bits; Qt's key
// events are turned into that form in one place.
namespace NCommands {

enum EVirtualKey : std::uint32_t {
    kVkBack = 0x08,
    kVkTab = 0x09,
    kVkReturn = 0x0D,
    kVkEscape = 0x1B,
    kVkSpace = 0x20,
    kVkPageUp = 0x21,
    kVkPageDown = 0x22,
    kVkEnd = 0x23,
    kVkHome = 0x24,
    kVkLeft = 0x25,
    kVkUp = 0x26,
    kVkRight = 0x27,
    kVkDown = 0x28,
    kVkInsert = 0x2D,
    kVkDelete = 0x2E,
    kVkF1 = 0x70,
    kVkF3 = 0x72,
    kVkF5 = 0x74,
    kVkF7 = 0x76,
    kVkF24 = 0x87,
};

// The key word of a key press: the virtual-key code of `key` (a Qt::Key)
// with the bits of Ctrl, Shift and Alt among `modifiers`. 0 for a key that
// has no virtual-key code here, a lone modifier key among them.
std::uint32_t KeyWord(int key, Qt::KeyboardModifiers modifiers);

} // namespace NCommands
