#pragma once

#include "framework/str.h"
#include "translation/translator.h"

#include <cstdint>
#include <span>
#include <vector>

// Translation of a menu bar held as plain data, and the re-binding of
// accelerators to the shortcuts that the translated item texts name. The
// window layer builds the description from its menus and carries the texts
// and keys back.
namespace NString::NTranslator {

// In a command table: the entry's key is the title of the menu that holds the
// command in the lower 31 bits.
constexpr std::uint32_t kPopupTitle = 0x80000000;

// In a key value, beside the virtual-key code.
constexpr std::uint32_t kKeyCtrl = 0x20000000;
constexpr std::uint32_t kKeyShift = 0x40000000;
constexpr std::uint32_t kKeyAlt = 0x80000000;

// A command and the text key of its menu item (or, with kPopupTitle, of the
// title of the menu that holds it). A zero command ends a table early.
struct SCommandText {
    std::uint32_t command;
    const char* key;
};

// A key value (virtual-key code and modifier bits) and the command it gives.
// A zero command ends a table early.
struct SAccelerator {
    std::uint32_t key;
    std::uint32_t command;
};

// A menu item: a separator, a command, or a submenu with its own items.
struct SMenuItem {
    std::uint32_t command = 0;
    bool separator = false;
    // The item's text; for a submenu its title.
    TStr<char16_t> text;
    // The items of the submenu this item opens; empty for other items.
    std::vector<SMenuItem> submenu;
};

// Sets the texts of the menu bar `popups` (each an item that opens a menu)
// from `commands` looked up in `language`: a command item gets the text of
// the entry with its number, and a menu the text of the title entry of any of
// its commands (a menu that no entry names keeps its title). When an item's
// new text holds a shortcut after a tab, made of "Ctrl", "Alt" and "Shift"
// joined by "+" and then one of the key names "Left", "Up", "Right", "Down"
// or "Delete", the first accelerator of that command is re-bound to it;
// other shortcuts leave the accelerators as they are.
void TranslateMenu(std::span<SMenuItem> popups, std::span<const SCommandText> commands,
                   std::span<SAccelerator> accelerators, const CLanguage& language = Language());

} // namespace NString::NTranslator
