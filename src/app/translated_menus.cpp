#include "app/translated_menus.h"

#include "app/command_table.h"

namespace NCommands {

namespace {

using NString::NTranslator::SMenuItem;

SMenuItem MenuItem(const SMenuEntry& entry) {
    SMenuItem item;
    item.command = entry.command;
    item.separator = entry.kind == SMenuEntry::EKind::kSeparator;
    for (const SMenuEntry& child : entry.entries)
        item.submenu.push_back(MenuItem(child));
    return item;
}

} // namespace

STranslatedMenus TranslateMenus(const NString::NTranslator::CLanguage& language) {
    STranslatedMenus menus;
    for (const SMenuEntry& popup : MenuBar())
        menus.menuBar.push_back(MenuItem(popup));
    menus.keyTable = DefaultKeyTable();
    NString::NTranslator::TranslateMenu(menus.menuBar, MenuTextTable(), menus.keyTable, language);
    return menus;
}

} // namespace NCommands
