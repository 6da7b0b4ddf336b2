#include "translation/menu_translation.h"
#include "translator_test_support.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace NString::NTranslator;
using NString::TStr;
using NTranslatorTest::LanguageXml;
using NTranslatorTest::LoadXml;
using NTranslatorTest::U16;

namespace {

// Virtual-key codes of the main window's keys.
constexpr std::uint32_t kVkF5 = 0x74, kVkUp = 0x26, kVkRight = 0x27, kVkDown = 0x28,
                        kVkDelete = 0x2E;

// Part of the main window's menu text table, with nested menus, and the
// matching part of its key table with the default keys.
const std::vector<SCommandText> kCommands = {{kPopupTitle | 40017, "Menu.File"},
                                             {40017, "Menu.FileOpen"},
                                             {40032, "Menu.FileReload"},
                                             {40018, "Menu.FileSave"},
                                             {kPopupTitle | 40050, "Menu.Edit"},
                                             {40050, "Menu.EditUndo"},
                                             {kPopupTitle | 40117, "Menu.EditResolve"},
                                             {40117, "Menu.EditResolveLeft"},
                                             {40119, "Menu.EditResolveRight"},
                                             {kPopupTitle | 40033, "Menu.View"},
                                             {40033, "Menu.ViewPrevDiff"},
                                             {40034, "Menu.ViewNextDiff"},
                                             {40035, "Menu.ViewPrevConflict"},
                                             {40036, "Menu.ViewNextConflict"},
                                             {0, nullptr}};
const std::vector<SAccelerator> kKeys = {{kKeyCtrl | 'O', 40017},
                                         {kVkF5, 40032},
                                         {kKeyCtrl | 'S', 40018},
                                         {kKeyCtrl | 'Z', 40050},
                                         {kKeyAlt | kVkUp, 40033},
                                         {kKeyAlt | kVkDown, 40034},
                                         {kKeyShift | kKeyAlt | kVkUp, 40035},
                                         {kKeyShift | kKeyAlt | kVkDown, 40036},
                                         {0, 0}};

SMenuItem Command(std::uint32_t command) {
    return {command, false, TStr<char16_t>(u"untranslated"), {}};
}
SMenuItem Separator() {
    return {0, true, TStr<char16_t>(u"separator"), {}};
}
SMenuItem Popup(std::vector<SMenuItem> items) {
    return {0, false, TStr<char16_t>(u"untitled"), std::move(items)};
}

std::vector<SMenuItem> MainMenuBar() {
    return {
        Popup({Command(40017), Command(40032), Separator(), Command(40018)}),
        Popup({Command(40050), Popup({Command(40117), Command(40119)})}),
        Popup({Command(40033), Command(40034), Separator(), Command(40035), Command(40036)}),
    };
}

std::uint32_t KeyOf(const std::vector<SAccelerator>& keys, std::uint32_t command) {
    const auto found = std::find_if(keys.begin(), keys.end(), [&](const SAccelerator& entry) {
        return entry.command == command;
    });
    return found != keys.end() ? found->key : 0;
}

// Every command item below `items`, depth first.
void CollectCommands(const std::vector<SMenuItem>& items, std::vector<const SMenuItem*>& out) {
    for (const SMenuItem& item : items) {
        if (!item.submenu.empty())
            CollectCommands(item.submenu, out);
        else if (!item.separator)
            out.push_back(&item);
    }
}

class MenuTranslation : public ::testing::Test {
protected:
    void SetUp() override { NTranslatorTest::LoadBuiltIn(english); }

    void Translate(const CLanguage& language) { TranslateMenu(bar, kCommands, keys, language); }

    CLanguage english;
    std::vector<SMenuItem> bar = MainMenuBar();
    std::vector<SAccelerator> keys = kKeys;
};

} // namespace

TEST_F(MenuTranslation, EveryItemAndMenuGetsItsEnglishText) {
    Translate(english);
    EXPECT_EQ(U16(bar[0].text), u"&File");
    EXPECT_EQ(U16(bar[1].text), u"&Edit");
    EXPECT_EQ(U16(bar[1].submenu[1].text), u"Res&olve");
    EXPECT_EQ(U16(bar[2].text), u"&View");
    EXPECT_EQ(U16(bar[0].submenu[3].text), u"&Save\tCtrl+S");
    EXPECT_EQ(U16(bar[0].submenu[2].text), u"separator");

    std::vector<const SMenuItem*> commands;
    CollectCommands(bar, commands);
    ASSERT_EQ(commands.size(), 10u);
    for (const SMenuItem* item : commands) {
        const auto entry =
            std::find_if(kCommands.begin(), kCommands.end(),
                         [&](const SCommandText& e) { return e.command == item->command; });
        ASSERT_NE(entry, kCommands.end()) << item->command;
        EXPECT_EQ(U16(item->text), U16(english.Text(entry->key))) << entry->key;
        EXPECT_NE(U16(item->text), u"NO TEXT") << entry->key;
    }
}

TEST_F(MenuTranslation, TranslatedShortcutsDecideTheKeys) {
    CLanguage language;
    ASSERT_EQ(
        LoadXml(language, LanguageXml("<Group name='Menu'>"
                                      "<Text name='View'>&amp;Ansicht</Text>"
                                      "<Text name='ViewNextDiff'>Weiter\tCtrl+Shift+Right</Text>"
                                      "<Text name='ViewPrevDiff'>Zur\xC3\xBC"
                                      "ck</Text>"
                                      "<Text name='ViewNextConflict'>N\tAlt+down</Text>"
                                      "<Text name='ViewPrevConflict'>P\tDelete</Text>"
                                      "</Group>")),
        1);
    Translate(language);
    EXPECT_EQ(U16(bar[2].text), u"&Ansicht");
    EXPECT_EQ(KeyOf(keys, 40034), kKeyCtrl | kKeyShift | kVkRight);
    EXPECT_EQ(KeyOf(keys, 40035), kVkDelete);
    // No shortcut, or a key name of another case: the default stays.
    EXPECT_EQ(KeyOf(keys, 40033), kKeyAlt | kVkUp);
    EXPECT_EQ(KeyOf(keys, 40036), kKeyShift | kKeyAlt | kVkDown);
}

TEST_F(MenuTranslation, MissingKeysShowNoTextAndUnnamedMenusKeepTheirTitles) {
    CLanguage language;
    ASSERT_EQ(LoadXml(language, LanguageXml("<Group name='Menu'>"
                                            "<Text name='FileOpen'>Open\tAlt+Down</Text>"
                                            "</Group>")),
              1);
    std::vector<SMenuItem> menu = {Popup({Command(40017), Command(40032)}),
                                   Popup({Command(50000), Separator()})};
    TranslateMenu(menu, kCommands, keys, language);
    EXPECT_EQ(U16(menu[0].text), u"NO TEXT");
    EXPECT_EQ(U16(menu[0].submenu[0].text), u"Open\tAlt+Down");
    EXPECT_EQ(U16(menu[0].submenu[1].text), u"NO TEXT");
    EXPECT_EQ(KeyOf(keys, 40017), kKeyAlt | kVkDown);
    EXPECT_EQ(KeyOf(keys, 40032), kVkF5);
    // No entry names command 50000 or its menu.
    EXPECT_EQ(U16(menu[1].text), u"untitled");
    EXPECT_EQ(U16(menu[1].submenu[0].text), u"untranslated");
}
