#pragma once

#include "services/prompts.h"

// The prompts answered by the user: message boxes and the format
// specification dialogs. Each runs on the user-interface thread; a caller on
// another thread (the load job) waits until it has been answered. `owner` is
// null or the QWidget the question belongs to.
class CQtPrompts final : public NPrompts::CPrompts {
public:
    NPrompts::EAnswer ShowMessage(void* owner, const char16_t* text, const char16_t* caption,
                                  NPrompts::EIcon icon, NPrompts::EButtons buttons) override;
    int ChooseFileSpec(void* owner, const NPrompts::SSpecChoice& choice) override;
    bool CreateFileSpec(void* owner, const NPrompts::SSpecRequest& request,
                        NPrompts::SNewSpec& created) override;
};
