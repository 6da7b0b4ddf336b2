#pragma once

#include "translation/menu_translation.h"
#include "translation/translator.h"

#include <vector>

// The menu bar and key table in a language: the menu texts from the
// language, and the keys of the commands whose translated texts name other
// shortcuts re-bound to them.
namespace NCommands {

struct STranslatedMenus {
    // The pop-ups of the menu bar, shaped as MenuBar(), with their texts.
    std::vector<NString::NTranslator::SMenuItem> menuBar;
    std::vector<NString::NTranslator::SAccelerator> keyTable;
};

STranslatedMenus
TranslateMenus(const NString::NTranslator::CLanguage& language = NString::NTranslator::Language());

} // namespace NCommands
