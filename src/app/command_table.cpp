#include "app/command_table.h"

#include "app/virtual_key.h"

#include <algorithm>
#include <array>

namespace NCommands {

namespace {

using NString::NTranslator::kPopupTitle;
using NString::NTranslator::SAccelerator;
using NString::NTranslator::SCommandText;

constexpr std::array kCommands{
    SCommand{kFileOpen, "Menu.FileOpen", kKeyCtrl | 'O'},
    SCommand{kFileReload, "Menu.FileReload", kVkF5},
    SCommand{kFileSave, "Menu.FileSave", kKeyCtrl | 'S'},
    SCommand{kFileSaveAs, "Menu.FileSaveAs", 0},
    SCommand{kFileGenReport, "Menu.FileGenReport", 0},
    SCommand{kFileExit, "Menu.FileExit", 0},
    SCommand{kEditUndo, "Menu.EditUndo", kKeyCtrl | 'Z'},
    SCommand{kEditRedo, "Menu.EditRedo", kKeyCtrl | 'Y'},
    SCommand{kEditResolveLeft, "Menu.EditResolveLeft", kKeyShift | kKeyAlt | 'L'},
    SCommand{kEditResolveBase, "Menu.EditResolveBase", kKeyShift | kKeyAlt | 'B'},
    SCommand{kEditResolveRight, "Menu.EditResolveRight", kKeyShift | kKeyAlt | 'R'},
    SCommand{kEditCutText, "Menu.EditCutText", kKeyCtrl | 'X'},
    SCommand{kEditCutXML, "Menu.EditCutXML", kKeyCtrl | kKeyShift | 'X'},
    SCommand{kEditCopy, "Menu.EditCopy", kKeyCtrl | 'C'},
    SCommand{kEditCopyXML, nullptr, kKeyCtrl | kKeyShift | 'C'},
    SCommand{kEditPasteText, "Menu.EditPasteText", kKeyCtrl | 'V'},
    SCommand{kEditPasteXML, "Menu.EditPasteXML", kKeyCtrl | kKeyShift | 'V'},
    SCommand{kEditDeleteText, "Menu.EditDeleteText", kVkDelete},
    SCommand{kEditDeleteXML, "Menu.EditDeleteXML", kKeyShift | kVkDelete},
    SCommand{kEditSelectAll, "Menu.EditSelectAll", kKeyCtrl | 'A'},
    SCommand{kEditPreferences, "Menu.EditPreferences", kVkF7},
    SCommand{kViewToolbar, "Menu.ViewToolbar", 0},
    SCommand{kViewOverview, "Menu.ViewOverview", 0},
    SCommand{kViewPrevDiff, "Menu.ViewPrevDiff", kKeyAlt | kVkUp},
    SCommand{kViewNextDiff, "Menu.ViewNextDiff", kKeyAlt | kVkDown},
    SCommand{kViewPrevConflict, "Menu.ViewPrevConflict", kKeyShift | kKeyAlt | kVkUp},
    SCommand{kViewNextConflict, "Menu.ViewNextConflict", kKeyShift | kKeyAlt | kVkDown},
    SCommand{kViewSearch, "Menu.ViewSearch", kKeyCtrl | 'F'},
    SCommand{kViewPrevMatch, "Menu.ViewPrevMatch", kKeyShift | kVkF3},
    SCommand{kViewNextMatch, "Menu.ViewNextMatch", kVkF3},
    SCommand{kHelpWebsite, "Menu.HelpWebsite", 0},
    SCommand{kHelpManual, "Menu.HelpManual", kVkF1},
    SCommand{kHelpAbout, "Menu.HelpAbout", 0},
    SCommand{kScrollLineUp, nullptr, kKeyOnlyOutsideView | kVkUp},
    SCommand{kScrollLineDown, nullptr, kKeyOnlyOutsideView | kVkDown},
    SCommand{kScrollLeft, nullptr, kKeyOnlyOutsideView | kVkLeft},
    SCommand{kScrollRight, nullptr, kKeyOnlyOutsideView | kVkRight},
    SCommand{kScrollPageUp, nullptr, kKeyOnlyOutsideView | kVkPageUp},
    SCommand{kScrollPageDown, nullptr, kKeyOnlyOutsideView | kVkPageDown},
    SCommand{kScrollTop, nullptr, kKeyOnlyOutsideView | kKeyCtrl | kVkHome},
    SCommand{kScrollBottom, nullptr, kKeyOnlyOutsideView | kKeyCtrl | kVkEnd},
};

constexpr SMenuEntry Item(std::uint32_t command) {
    return {SMenuEntry::EKind::kCommand, command};
}

constexpr SMenuEntry kSeparator{SMenuEntry::EKind::kSeparator};

constexpr SMenuEntry Popup(const char* titleKey, std::span<const SMenuEntry> entries) {
    return {SMenuEntry::EKind::kPopup, 0, titleKey, entries};
}

constexpr std::array kFileMenu{
    Item(kFileOpen),   Item(kFileReload),    kSeparator, Item(kFileSave),
    Item(kFileSaveAs), Item(kFileGenReport), kSeparator, Item(kFileExit),
};

constexpr std::array kResolveMenu{Item(kEditResolveLeft), Item(kEditResolveBase),
                                  Item(kEditResolveRight)};
constexpr std::array kCutMenu{Item(kEditCutText), Item(kEditCutXML)};
constexpr std::array kPasteMenu{Item(kEditPasteText), Item(kEditPasteXML)};
constexpr std::array kDeleteMenu{Item(kEditDeleteText), Item(kEditDeleteXML)};

constexpr std::array kEditMenu{
    Item(kEditUndo),
    Item(kEditRedo),
    kSeparator,
    Popup("Menu.EditResolve", kResolveMenu),
    kSeparator,
    Popup("Menu.EditCut", kCutMenu),
    Item(kEditCopy),
    Popup("Menu.EditPaste", kPasteMenu),
    Popup("Menu.EditDelete", kDeleteMenu),
    kSeparator,
    Item(kEditSelectAll),
    kSeparator,
    Item(kEditPreferences),
};

constexpr std::array kViewMenu{
    Item(kViewToolbar),      Item(kViewOverview),     kSeparator,
    Item(kViewPrevDiff),     Item(kViewNextDiff),     kSeparator,
    Item(kViewPrevConflict), Item(kViewNextConflict), kSeparator,
    Item(kViewSearch),       Item(kViewPrevMatch),    Item(kViewNextMatch),
};

constexpr std::array kHelpMenu{Item(kHelpWebsite), kSeparator, Item(kHelpManual), Item(kHelpAbout)};

constexpr std::array kMenuBar{
    Popup("Menu.File", kFileMenu),
    Popup("Menu.Edit", kEditMenu),
    Popup("Menu.View", kViewMenu),
    Popup("Menu.Help", kHelpMenu),
};

// Adds the text entries of the pop-up `popup` and of the pop-ups below it.
void AddPopupTexts(const SMenuEntry& popup, std::vector<SCommandText>& table) {
    const auto firstCommand =
        std::find_if(popup.entries.begin(), popup.entries.end(), [](const SMenuEntry& entry) {
            return entry.kind == SMenuEntry::EKind::kCommand;
        });
    if (firstCommand != popup.entries.end())
        table.push_back({kPopupTitle | firstCommand->command, popup.titleKey});
    for (const SMenuEntry& entry : popup.entries) {
        if (entry.kind == SMenuEntry::EKind::kPopup)
            AddPopupTexts(entry, table);
    }
}

} // namespace

std::span<const SCommand> Commands() {
    return kCommands;
}

const SCommand* FindCommand(std::uint32_t id) {
    const auto found = std::find_if(kCommands.begin(), kCommands.end(),
                                    [id](const SCommand& command) { return command.id == id; });
    return found != kCommands.end() ? &*found : nullptr;
}

bool IsToggleCommand(std::uint32_t id) {
    return id == kViewToolbar || id == kViewOverview;
}

std::span<const SMenuEntry> MenuBar() {
    return kMenuBar;
}

std::vector<SAccelerator> DefaultKeyTable() {
    std::vector<SAccelerator> table;
    for (const SCommand& command : kCommands) {
        if (command.key != 0)
            table.push_back({command.key, command.id});
    }
    return table;
}

std::vector<SCommandText> MenuTextTable() {
    std::vector<SCommandText> table;
    for (const SCommand& command : kCommands) {
        if (command.textKey != nullptr)
            table.push_back({command.id, command.textKey});
    }
    for (const SMenuEntry& popup : kMenuBar)
        AddPopupTexts(popup, table);
    return table;
}

std::uint32_t LookUpKey(std::span<const SAccelerator> table, std::uint32_t keyWord,
                        bool focusInView) {
    constexpr std::uint32_t kMatchedBits = kKeyCodeMask | kKeyModifierMask;
    if ((keyWord & kKeyCodeMask) == 0)
        return 0;
    for (const SAccelerator& entry : table) {
        if (entry.command == 0)
            break;
        if ((entry.key & kMatchedBits) != (keyWord & kMatchedBits))
            continue;
        if ((entry.key & kKeyOnlyOutsideView) != 0 && focusInView)
            continue;
        return entry.command;
    }
    return 0;
}

} // namespace NCommands
