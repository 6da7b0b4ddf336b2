#pragma once

#include "translation/menu_translation.h"

#include <cstdint>
#include <span>
#include <vector>

// The main window's commands as data: their identifiers, the menu bar that
// offers them and the keys that give them. The window builds its menus from
// this table, and commands that arrive later plug in here.
namespace NCommands {

enum ECommand : std::uint32_t {
    kFileOpen = 40017,
    kFileReload = 40032,
    kFileSave = 40018,
    kFileSaveAs = 40019,
    kFileGenReport = 40128,
    kFileExit = 40007,
    kEditUndo = 40050,
    kEditRedo = 40051,
    kEditResolveLeft = 40117,
    kEditResolveBase = 40118,
    kEditResolveRight = 40119,
    kEditCutText = 40101,
    kEditCutXML = 40105,
    kEditCopy = 40042,
    kEditCopyXML = 32776,
    kEditPasteText = 40097,
    kEditPasteXML = 40104,
    kEditDeleteText = 40099,
    kEditDeleteXML = 40103,
    kEditSelectAll = 40054,
    kEditPreferences = 40008,
    kViewToolbar = 40123,
    kViewOverview = 40122,
    kViewPrevDiff = 40033,
    kViewNextDiff = 40034,
    kViewPrevConflict = 40035,
    kViewNextConflict = 40036,
    kViewSearch = 40057,
    kViewPrevMatch = 40058,
    kViewNextMatch = 40059,
    kHelpWebsite = 40063,
    kHelpManual = 40010,
    kHelpAbout = 40009,
    // The view's keyboard scrolling, for keys typed outside the view.
    kScrollLineUp = 32768,
    kScrollLineDown = 32769,
    kScrollLeft = 32770,
    kScrollRight = 32771,
    kScrollPageUp = 32772,
    kScrollPageDown = 32773,
    kScrollTop = 32774,
    kScrollBottom = 32775,
};

// A key word: the virtual-key code in the low 28 bits and these flags.
constexpr std::uint32_t kKeyCodeMask = 0x0FFFFFFF;
constexpr std::uint32_t kKeyOnlyOutsideView = 0x10000000;
constexpr std::uint32_t kKeyCtrl = NString::NTranslator::kKeyCtrl;
constexpr std::uint32_t kKeyShift = NString::NTranslator::kKeyShift;
constexpr std::uint32_t kKeyAlt = NString::NTranslator::kKeyAlt;
constexpr std::uint32_t kKeyModifierMask = kKeyCtrl | kKeyShift | kKeyAlt;

// A command and its default key word (0: none). `textKey` names the text of
// its menu item; null for commands that have no menu item.
struct SCommand {
    std::uint32_t id;
    const char* textKey;
    std::uint32_t key;
};

// An entry of the menu bar: a pop-up (title text key and its entries), a
// command or a separator.
struct SMenuEntry {
    enum class EKind { kPopup, kCommand, kSeparator };
    EKind kind;
    std::uint32_t command = 0;
    const char* titleKey = nullptr;
    std::span<const SMenuEntry> entries = {};
};

// Every command, those with keys in the order in which keys are looked up.
std::span<const SCommand> Commands();
// The command `id`, or null when there is none.
const SCommand* FindCommand(std::uint32_t id);

// Whether the menu item of `id` switches something on and off (and shows a
// check mark).
bool IsToggleCommand(std::uint32_t id);

// The pop-ups of the menu bar, left to right.
std::span<const SMenuEntry> MenuBar();

// The key table with the default keys, in the order of Commands().
std::vector<NString::NTranslator::SAccelerator> DefaultKeyTable();

// The menu text table: every menu command's text key, and each pop-up's
// title key under kPopupTitle and the first command directly in it.
std::vector<NString::NTranslator::SCommandText> MenuTextTable();

// The first command of `table` that `keyWord` (virtual-key code and modifier
// bits) gives, with the focus in the document view or not; 0 when none. The
// modifiers must match exactly.
std::uint32_t LookUpKey(std::span<const NString::NTranslator::SAccelerator> table,
                        std::uint32_t keyWord, bool focusInView);

} // namespace NCommands
