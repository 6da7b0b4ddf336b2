#include "app/command_table.h"
#include "app/virtual_key.h"

#include <gtest/gtest.h>

using namespace NCommands;

TEST(VirtualKey, TurnsQtKeysAndModifiersIntoKeyWords) {
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        std::uint32_t expected;
    } cases[] = {
        {Qt::Key_A, Qt::NoModifier, 'A'},
        {Qt::Key_9, Qt::AltModifier, kKeyAlt | '9'},
        {Qt::Key_B, Qt::ShiftModifier | Qt::AltModifier, kKeyShift | kKeyAlt | 'B'},
        {Qt::Key_F1, Qt::NoModifier, kVkF1},
        {Qt::Key_F3, Qt::ShiftModifier, kKeyShift | kVkF3},
        {Qt::Key_F24, Qt::NoModifier, kVkF24},
        {Qt::Key_Up, Qt::AltModifier, kKeyAlt | kVkUp},
        {Qt::Key_Down, Qt::ShiftModifier | Qt::AltModifier, kKeyShift | kKeyAlt | kVkDown},
        {Qt::Key_PageUp, Qt::NoModifier, kVkPageUp},
        {Qt::Key_Home, Qt::ControlModifier, kKeyCtrl | kVkHome},
        {Qt::Key_Delete, Qt::ShiftModifier, kKeyShift | kVkDelete},
        {Qt::Key_Backtab, Qt::ShiftModifier, kKeyShift | kVkTab},
        {Qt::Key_Enter, Qt::KeypadModifier, kVkReturn},
        // Keys without a code give no key word, whatever is held.
        {Qt::Key_Control, Qt::ControlModifier, 0},
        {Qt::Key_Eacute, Qt::NoModifier, 0},
        {Qt::Key_unknown, Qt::ShiftModifier, 0},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(KeyWord(test.key, test.modifiers), test.expected)
            << std::hex << "Qt key 0x" << test.key << " modifiers 0x" << test.modifiers.toInt();
    }
}
