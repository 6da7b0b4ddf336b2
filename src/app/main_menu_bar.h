#pragma once

#include "app/command_target.h"
#include "translation/menu_translation.h"

#include <span>

class QMenuBar;

namespace NCommands {

// Fills `bar` with the menus of `popups` (translated), each item running its
// command through `target`. Every item of a menu is enabled and checked by
// the target's rules just before the menu opens. Items show their shortcuts
// in their texts but bind no keys: the key table alone decides.
void BuildMenuBar(QMenuBar& bar, std::span<const NString::NTranslator::SMenuItem> popups,
                  ICommandTarget& target);

// Gives the menus that BuildMenuBar made from popups of the same shape the
// texts of `popups`, keeping the menus themselves: a menu may be running the
// very command that asked for its new texts.
void RetitleMenuBar(QMenuBar& bar, std::span<const NString::NTranslator::SMenuItem> popups);

} // namespace NCommands
