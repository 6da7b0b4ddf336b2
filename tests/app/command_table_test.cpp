#include "app/command_table.h"
#include "app/virtual_key.h"
#include "framework/buffer.h"
#include "translation/embedded_language.h"
#include "translation/language_tree.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>

using namespace NCommands;
using NString::NTranslator::kPopupTitle;

namespace {

// Every command entry below `entries`, with how often each appears.
void CountMenuCommands(std::span<const SMenuEntry> entries, std::map<std::uint32_t, int>& counts) {
    for (const SMenuEntry& entry : entries) {
        if (entry.kind == SMenuEntry::EKind::kCommand)
            ++counts[entry.command];
        CountMenuCommands(entry.entries, counts);
    }
}

// A key word as the menu texts write it ("Ctrl+Shift+X", "Shift+Alt+Up").
std::string ShortcutText(std::uint32_t keyWord) {
    static const std::map<std::uint32_t, std::string> kNames = {{kVkUp, "Up"},
                                                                {kVkDown, "Down"},
                                                                {kVkLeft, "Left"},
                                                                {kVkRight, "Right"},
                                                                {kVkDelete, "Delete"}};
    std::string text;
    if ((keyWord & kKeyCtrl) != 0)
        text += "Ctrl+";
    if ((keyWord & kKeyShift) != 0)
        text += "Shift+";
    if ((keyWord & kKeyAlt) != 0)
        text += "Alt+";
    const std::uint32_t code = keyWord & kKeyCodeMask;
    if (const auto name = kNames.find(code); name != kNames.end())
        text += name->second;
    else if (code >= kVkF1 && code <= kVkF24)
        text.append("F").append(std::to_string(code - kVkF1 + 1));
    else
        text += static_cast<char>(code);
    return text;
}

std::string Utf8(const std::u16string& text) {
    std::string out;
    for (const char16_t c : text)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

} // namespace

TEST(CommandTable, LooksUpKeysWithExactModifiersAndTheViewFocus) {
    const auto table = DefaultKeyTable();
    const struct {
        std::uint32_t keyWord;
        bool focusInView;
        std::uint32_t expected;
    } cases[] = {
        {kKeyAlt | kVkDown, true, kViewNextDiff},
        {kKeyShift | kKeyAlt | kVkDown, true, kViewNextConflict},
        {kKeyShift | kVkF3, true, kViewPrevMatch},
        {kKeyCtrl | 'C', true, kEditCopy},
        {kKeyShift | kVkDelete, true, kEditDeleteXML},
        // More or fewer modifiers than an entry names match nothing.
        {kKeyCtrl | kKeyAlt | kVkDown, true, 0},
        {kVkF5 | kKeyCtrl, true, 0},
        {'O', true, 0},
        // The scrolling keys apply only while the focus is outside the view.
        {kVkDown, false, kScrollLineDown},
        {kVkDown, true, 0},
        {kKeyCtrl | kVkEnd, false, kScrollBottom},
        {kVkHome, false, 0},
        // A key word that the caller could not make is no key.
        {0, false, 0},
        {kKeyCtrl, false, 0},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(LookUpKey(table, test.keyWord, test.focusInView), test.expected)
            << std::hex << "key word 0x" << test.keyWord << " in view " << test.focusInView;
    }
}

TEST(CommandTable, LookUpStopsAtTheEndMarkAndTakesTheFirstMatch) {
    const NString::NTranslator::SAccelerator table[] = {{kVkF5, 1}, {kVkF5, 2}, {0, 0}, {kVkF7, 3}};
    EXPECT_EQ(LookUpKey(table, kVkF5, false), 1u);
    EXPECT_EQ(LookUpKey(table, kVkF7, false), 0u);
}

TEST(CommandTable, OffersEveryMenuCommandOnceAndNoOtherInTheMenuBar) {
    std::map<std::uint32_t, int> counts;
    CountMenuCommands(MenuBar(), counts);
    for (const SCommand& command : Commands()) {
        const int expected = command.textKey != nullptr ? 1 : 0;
        EXPECT_EQ(counts[command.id], expected) << command.id;
        counts.erase(command.id);
    }
    EXPECT_TRUE(counts.empty()) << "the menu bar names " << counts.size() << " unknown commands";
}

TEST(CommandTable, GivesEachKeyWordToOneCommandOnly) {
    std::set<std::uint32_t> keys;
    for (const auto& entry : DefaultKeyTable()) {
        EXPECT_NE(entry.command, 0u);
        EXPECT_TRUE(keys.insert(entry.key).second) << std::hex << "0x" << entry.key;
    }
    EXPECT_EQ(keys.size(), 34u);
}

TEST(CommandTable, TitlesEveryPopupByACommandDirectlyInIt) {
    const std::map<std::string, std::uint32_t> expected = {
        {"Menu.File", kFileOpen},
        {"Menu.Edit", kEditUndo},
        {"Menu.EditResolve", kEditResolveLeft},
        {"Menu.EditCut", kEditCutText},
        {"Menu.EditPaste", kEditPasteText},
        {"Menu.EditDelete", kEditDeleteText},
        {"Menu.View", kViewToolbar},
        {"Menu.Help", kHelpWebsite},
    };
    std::map<std::string, std::uint32_t> titles;
    for (const auto& entry : MenuTextTable()) {
        if ((entry.command & kPopupTitle) != 0)
            titles[entry.key] = entry.command & ~kPopupTitle;
        else
            EXPECT_EQ(FindCommand(entry.command)->textKey, std::string(entry.key));
    }
    EXPECT_EQ(titles, expected);
}

TEST(CommandTable, DefaultKeysAreTheShortcutsThatTheEnglishMenuShows) {
    NString::NTranslator::CLanguage english;
    const auto file =
        NString::NTranslator::EmbeddedLanguageFile(NString::NTranslator::kBuiltInLanguageResource);
    NIO::TBuffer<0> stream;
    stream.Borrow(file.data(), file.size());
    ASSERT_EQ(english.Load(stream, true), 1);
    int shortcuts = 0;
    for (const SCommand& command : Commands()) {
        if (command.textKey == nullptr)
            continue;
        const std::string text = Utf8(english.Text(command.textKey).Text());
        const std::size_t tab = text.find('\t');
        const std::string shown = tab == std::string::npos ? "" : text.substr(tab + 1);
        EXPECT_EQ(command.key == 0 ? "" : ShortcutText(command.key), shown) << command.textKey;
        shortcuts += shown.empty() ? 0 : 1;
    }
    EXPECT_EQ(shortcuts, 25);
}
