#include "prompts/prompt_message_box.h"

#include "framework/window/base_dialog.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QString>
#include <span>

namespace {

using NPrompts::EAnswer;
using NPrompts::EButtons;

struct SButton {
    EAnswer answer;
    QMessageBox::StandardButton standard;
};

constexpr SButton kButtons[] = {
    {EAnswer::Ok, QMessageBox::Ok},
    {EAnswer::Cancel, QMessageBox::Cancel},
    {EAnswer::Yes, QMessageBox::Yes},
    {EAnswer::No, QMessageBox::No},
};

// The answers a kind of box offers, in order: the first is the default.
std::span<const EAnswer> AnswersOf(EButtons buttons) {
    static constexpr EAnswer kOk[] = {EAnswer::Ok};
    static constexpr EAnswer kOkCancel[] = {EAnswer::Ok, EAnswer::Cancel};
    static constexpr EAnswer kYesNo[] = {EAnswer::Yes, EAnswer::No};
    static constexpr EAnswer kYesNoCancel[] = {EAnswer::Yes, EAnswer::No, EAnswer::Cancel};
    switch (buttons) {
    case EButtons::Ok:
        return kOk;
    case EButtons::OkCancel:
        return kOkCancel;
    case EButtons::YesNo:
        return kYesNo;
    case EButtons::YesNoCancel:
        return kYesNoCancel;
    }
    return kOk;
}

QMessageBox::StandardButton StandardButtonOf(EAnswer answer) {
    for (const SButton& button : kButtons)
        if (button.answer == answer)
            return button.standard;
    return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(NPrompts::EIcon icon) {
    switch (icon) {
    case NPrompts::EIcon::Error:
        return QMessageBox::Critical;
    case NPrompts::EIcon::Warning:
        return QMessageBox::Warning;
    case NPrompts::EIcon::Question:
        return QMessageBox::Question;
    case NPrompts::EIcon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

} // namespace

CPromptMessageBox::CPromptMessageBox(QWidget* owner, const char16_t* text, const char16_t* caption,
                                     NPrompts::EIcon icon, EButtons buttons)
    : QMessageBox(owner), m_buttons(buttons) {
    setWindowTitle(*caption != 0 ? QString::fromUtf16(caption)
                                 : NWindows::TranslatedText("Misc.AppName"));
    setTextFormat(Qt::PlainText);
    setText(QString::fromUtf16(text));
    setIcon(IconOf(icon));
    for (const EAnswer answer : AnswersOf(buttons))
        addButton(StandardButtonOf(answer))
            ->setText(NWindows::TranslatedText(NPrompts::AnswerTextKey(answer)));
    setDefaultButton(StandardButtonOf(NPrompts::DefaultAnswer(buttons)));
    setEscapeButton(button(StandardButtonOf(NPrompts::EscapeAnswer(buttons))));
}

EAnswer CPromptMessageBox::Answer() const {
    const QAbstractButton* clicked = clickedButton();
    for (const SButton& candidate : kButtons)
        if (clicked != nullptr && clicked == button(candidate.standard))
            return candidate.answer;
    return NPrompts::EscapeAnswer(m_buttons);
}

EAnswer CPromptMessageBox::Run(QWidget* owner, const char16_t* text, const char16_t* caption,
                               NPrompts::EIcon icon, EButtons buttons) {
    CPromptMessageBox box(owner, text, caption, icon, buttons);
    box.exec();
    return box.Answer();
}
