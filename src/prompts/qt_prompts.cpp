#include "prompts/qt_prompts.h"

#include "prompts/choose_spec_dialog.h"
#include "prompts/create_spec_dialog.h"
#include "prompts/prompt_message_box.h"
#include "prompts/user_interface_thread.h"

#include <QWidget>

namespace {

QWidget* OwnerWidget(void* owner) {
    return static_cast<QWidget*>(owner);
}

} // namespace

NPrompts::EAnswer CQtPrompts::ShowMessage(void* owner, const char16_t* text,
                                          const char16_t* caption, NPrompts::EIcon icon,
                                          NPrompts::EButtons buttons) {
    return CallOnUserInterfaceThread(
        [&] { return CPromptMessageBox::Run(OwnerWidget(owner), text, caption, icon, buttons); });
}

int CQtPrompts::ChooseFileSpec(void* owner, const NPrompts::SSpecChoice& choice) {
    return CallOnUserInterfaceThread(
        [&] { return CChooseSpecDialog::Run(OwnerWidget(owner), choice); });
}

bool CQtPrompts::CreateFileSpec(void* owner, const NPrompts::SSpecRequest& request,
                                NPrompts::SNewSpec& created) {
    return CallOnUserInterfaceThread(
        [&] { return CCreateSpecDialog::Run(OwnerWidget(owner), request, created); });
}
