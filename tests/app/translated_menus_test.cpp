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
    ASSERT_EQ(menus.menuBar.size(), MenuBar().size());
    const SMenuItem& file = menus.menuBar[0];
    EXPECT_EQ(std::u16string(file.text.Text()), u"&Datei");
    ASSERT_EQ(file.submenu.size(), 8u);
    EXPECT_EQ(file.submenu[0].command, kFileOpen);
    EXPECT_EQ(std::u16string(file.submenu[0].text.Text()), u"&Öffnen...\tStrg+O");
    EXPECT_TRUE(file.submenu[2].separator);
    const SMenuItem& edit = menus.menuBar[1];
    EXPECT_EQ(std::u16string(edit.text.Text()), u"&Bearbeiten");
    const SMenuItem& deleteMenu = edit.submenu[8];
    ASSERT_EQ(deleteMenu.submenu.size(), 2u);
    EXPECT_EQ(std::u16string(deleteMenu.text.Text()), u"&Löschen");
    EXPECT_EQ(deleteMenu.submenu[1].command, kEditDeleteXML);
}

TEST(TranslatedMenus, ATranslatedShortcutRewritesItsKeyTableEntry) {
    CLanguage language;
    LoadLanguage(language, "<Text name='ViewNextDiff'>&amp;Nächster Unterschied\tCtrl+Down</Text>"
                           "<Text name='EditDeleteText'>&amp;Text\tCtrl+Shift+Delete</Text>"
                           "<Text name='ViewPrevDiff'>&amp;Voriger Unterschied\tAlt+Up</Text>"
                           // Only the arrow keys and Delete are re-bound by their names.
                           "<Text name='FileOpen'>&amp;Öffnen...\tCtrl+Q</Text>");
    const STranslatedMenus menus = TranslateMenus(language);
    struct SCase {
        std::uint32_t command;
        std::uint32_t expected;
    };
    const SCase cases[] = {
        {kViewNextDiff, kKeyCtrl | kVkDown},
        {kEditDeleteText, kKeyCtrl | kKeyShift | kVkDelete},
        {kViewPrevDiff, kKeyAlt | kVkUp},
        {kFileOpen, kKeyCtrl | 'O'},
        {kViewNextConflict, kKeyShift | kKeyAlt | kVkDown},
        {kScrollLineDown, kKeyOnlyOutsideView | kVkDown},
    };
    for (const SCase& test : cases)
        EXPECT_EQ(KeyOf(menus.keyTable, test.command), test.expected) << test.command;
    EXPECT_EQ(menus.keyTable.size(), DefaultKeyTable().size());
    // The old key no longer gives the command; the new one does.
    EXPECT_EQ(LookUpKey(menus.keyTable, kKeyAlt | kVkDown, true), 0u);
    EXPECT_EQ(LookUpKey(menus.keyTable, kKeyCtrl | kVkDown, true), kViewNextDiff);
}
