#pragma once

#include "services/prompts.h"

#include <QMessageBox>

// A message box of the prompts: the icon and the buttons of the kinds one to
// one, the buttons' texts from the translator, the first button as the
// default, and Esc (or the window's close button) answering as
// NPrompts::EscapeAnswer says. The text is shown as plain text: paths and
// XML names may hold "<" and "&". An empty caption becomes the translated
// "Misc.AppName".
class CPromptMessageBox final : public QMessageBox {
public:
    CPromptMessageBox(QWidget* owner, const char16_t* text, const char16_t* caption,
                      NPrompts::EIcon icon, NPrompts::EButtons buttons);

    // The button that closed the box, or the Esc answer when none did.
    NPrompts::EAnswer Answer() const;

    // Shows the box modally and returns its answer.
    static NPrompts::EAnswer Run(QWidget* owner, const char16_t* text, const char16_t* caption,
                                 NPrompts::EIcon icon, NPrompts::EButtons buttons);

private:
    NPrompts::EButtons m_buttons;
};
