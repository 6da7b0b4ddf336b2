#include "translation/menu_translation.h"

#include <array>
#include <optional>
#include <string_view>

namespace NString::NTranslator {

namespace {

struct SKeyName {
    std::uint32_t virtualKey;
    std::u16string_view name;
};

constexpr std::array<SKeyName, 5> kKeyNames{{
    {0x25, u"Left"},
    {0x26, u"Up"},
    {0x27, u"Right"},
    {0x28, u"Down"},
    {0x2E, u"Delete"},
}};

struct SModifierName {
    std::uint32_t bit;
    std::u16string_view name;
};

constexpr std::array<SModifierName, 3> kModifierNames{{
    {kKeyCtrl, u"Ctrl"},
    {kKeyAlt, u"Alt"},
    {kKeyShift, u"Shift"},
}};

// The key value that the shortcut after the tab of `text` names, when its
// key is one of kKeyNames.
std::optional<std::uint32_t> ShortcutKey(std::u16string_view text) {
    const std::size_t tab = text.find(u'\t');
    if (tab == std::u16string_view::npos)
        return std::nullopt;
    const std::u16string_view shortcut = text.substr(tab + 1);
    std::u16string_view keyName = shortcut;
    std::uint32_t modifiers = 0;
    if (const std::size_t plus = shortcut.rfind(u'+'); plus != std::u16string_view::npos) {
        for (const SModifierName& modifier : kModifierNames) {
            if (shortcut.find(modifier.name) != std::u16string_view::npos)
                modifiers |= modifier.bit;
        }
        keyName = shortcut.substr(plus + 1);
    }
    for (const SKeyName& key : kKeyNames) {
        if (key.name == keyName)
            return modifiers | key.virtualKey;
    }
    return std::nullopt;
}

class CMenuTranslator {
public:
    CMenuTranslator(std::span<const SCommandText> commands, std::span<SAccelerator> accelerators,
                    const CLanguage& language)
        : m_commands(commands), m_accelerators(accelerators), m_language(language) {}

    // Translates the items of one menu; the title that its commands give it,
    // or null when none does.
    const TStr<char16_t>* TranslateItems(std::vector<SMenuItem>& items) {
        const TStr<char16_t>* title = nullptr;
        for (SMenuItem& item : items) {
            if (item.separator)
                continue;
            if (!item.submenu.empty()) {
                TranslateMenu(item);
                continue;
            }
            const TStr<char16_t>* itemTitle = TranslateCommand(item);
            if (title == nullptr)
                title = itemTitle;
        }
        return title;
    }

    // Translates the items of the menu that `item` opens and its title.
    void TranslateMenu(SMenuItem& item) {
        if (const TStr<char16_t>* title = TranslateItems(item.submenu))
            item.text = *title;
    }

private:
    // Sets the text of a command item; the title that the command's entry
    // gives its menu, or null.
    const TStr<char16_t>* TranslateCommand(SMenuItem& item) {
        const TStr<char16_t>* title = nullptr;
        for (const SCommandText& entry : m_commands) {
            if (entry.command == 0)
                break;
            if (entry.command == item.command) {
                item.text = m_language.Text(entry.key);
                Rebind(item);
            } else if (entry.command == (item.command | kPopupTitle) && title == nullptr) {
                title = &m_language.Text(entry.key);
            }
        }
        return title;
    }

    void Rebind(const SMenuItem& item) {
        const std::optional<std::uint32_t> key = ShortcutKey(item.text.Text());
        if (!key)
            return;
        for (SAccelerator& accelerator : m_accelerators) {
            if (accelerator.command == 0)
                return;
            if (accelerator.command == item.command) {
                accelerator.key = *key;
                return;
            }
        }
    }

    std::span<const SCommandText> m_commands;
    std::span<SAccelerator> m_accelerators;
    const CLanguage& m_language;
};

} // namespace

void TranslateMenu(std::span<SMenuItem> popups, std::span<const SCommandText> commands,
                   std::span<SAccelerator> accelerators, const CLanguage& language) {
    CMenuTranslator translator(commands, accelerators, language);
    for (SMenuItem& popup : popups)
        translator.TranslateMenu(popup);
}

} // namespace NString::NTranslator
