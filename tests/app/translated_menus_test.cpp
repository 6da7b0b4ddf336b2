#include "app/command_table.h"
#include "app/translated_menus.h"
#include "app/virtual_key.h"
#include "framework/buffer.h"
#include "translation/language_tree.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>

using namespace NCommands;
using NString::NTranslator::CLanguage;
using NString::NTranslator::SAccelerator;
using NString::NTranslator::SMenuItem;

namespace {

void LoadLanguage(CLanguage& language, std::string_view menuTexts) {
    const std::string xml =
        "<?xml version='1.0' encoding='utf-8'?>\n<Language><Group name='Menu'>" +
        std::string(menuTexts) + "</Group></Language>\n";
    NIO::TBuffer<0> stream;
    stream.Borrow(xml.data(), xml.size());
    ASSERT_EQ(language.Load(stream, true), 1);
}

// The translated menus mirror the menu table item for item.
void ExpectMirrors(std::span<const SMenuEntry> entries, const std::vector<SMenuItem>& items) {
    ASSERT_EQ(items.size(), entries.size());
    for (std::size_t index = 0; index < items.size(); ++index) {
        EXPECT_EQ(items[index].command, entries[index].command) << index;
        EXPECT_EQ(items[index].separator, entries[index].kind == SMenuEntry::EKind::kSeparator);
        ExpectMirrors(entries[index].entries, items[index].submenu);
    }
}

std::uint32_t KeyOf(const std::vector<SAccelerator>& table, std::uint32_t command) {
    for (const SAccelerator& entry : table) {
        if (entry.command == command)
            return entry.key;
    }
    return 0;
}

} // namespace

TEST(TranslatedMenus, ShapesTheMenuBarAndTitlesItsPopups) {
    CLanguage language;
    LoadLanguage(language, "<Text name='File'>&amp;Datei</Text>"
                           "<Text name='FileOpen'>&amp;Öffnen...\tStrg+O</Text>"
                           "<Text name='Edit'>&amp;Bearbeiten</Text>"
                           "<Text name='EditDelete'>&amp;Löschen</Text>");
    const STranslatedMenus menus = TranslateMenus(language);
    ASSERT_NO_FATAL_FAILURE(ExpectMirrors(MenuBar(), menus.menuBar));
    const auto text = [](const SMenuItem& item) { return std::u16string(item.text.Text()); };
    EXPECT_EQ(text(menus.menuBar[0]), u"&Datei");
    EXPECT_EQ(text(menus.menuBar[0].submenu[0]), u"&Öffnen...\tStrg+O");
    EXPECT_EQ(text(menus.menuBar[1]), u"&Bearbeiten");
    // A submenu takes its title from the title entry of a command in it.
    EXPECT_EQ(text(menus.menuBar[1].submenu[8]), u"&Löschen");
}

TEST(TranslatedMenus, ATranslatedShortcutRewritesItsKeyTableEntry) {
    CLanguage language;
    LoadLanguage(language, "<Text name='ViewNextDiff'>&amp;Nächster Unterschied\tCtrl+Down</Text>"
                           "<Text name='EditDeleteText'>&amp;Text\tCtrl+Shift+Delete</Text>"
                           "<Text name='ViewPrevDiff'>&amp;Voriger Unterschied\tAlt+Up</Text>"
                           // Only the arrow keys and Delete are re-bound by their names.
                           "<Text name='FileOpen'>&amp;Öffnen...\tCtrl+Q</Text>");
    const STranslatedMenus menus = TranslateMenus(language);
    const struct {
        std::uint32_t command;
        std::uint32_t expected;
    } cases[] = {
        {kViewNextDiff, kKeyCtrl | kVkDown},
        {kEditDeleteText, kKeyCtrl | kKeyShift | kVkDelete},
        {kViewPrevDiff, kKeyAlt | kVkUp},
        {kFileOpen, kKeyCtrl | 'O'},
        {kViewNextConflict, kKeyShift | kKeyAlt | kVkDown},
        {kScrollLineDown, kKeyOnlyOutsideView | kVkDown},
    };
    for (const auto& test : cases)
        EXPECT_EQ(KeyOf(menus.keyTable, test.command), test.expected) << test.command;
    EXPECT_EQ(menus.keyTable.size(), DefaultKeyTable().size());
    // The old key no longer gives the command; the new one does.
    EXPECT_EQ(LookUpKey(menus.keyTable, kKeyAlt | kVkDown, true), 0u);
    EXPECT_EQ(LookUpKey(menus.keyTable, kKeyCtrl | kVkDown, true), kViewNextDiff);
}
