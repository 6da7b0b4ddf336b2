#pragma once

#include "services/prompts.h"

#include <deque>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace FormatsTest {

// Prompts for tests: records every question and answers from a script. A
// question the script has no answer for fails the test (and is cancelled),
// so an unexpected dialog never goes unnoticed. Installed for its lifetime.
class CScriptedPrompts final : public NPrompts::CPrompts {
public:
    struct SMessage {
        void* owner;
        std::u16string text;
        std::u16string caption;
        NPrompts::EIcon icon;
        NPrompts::EButtons buttons;
    };
    struct SChoice {
        void* owner;
        std::u16string info;
        std::vector<std::string> names;
        int suggested;
    };
    struct SCreation {
        void* owner;
        std::string rootName;
        std::u16string leftPath;
        std::u16string folder;
        std::string suggestedName;
    };
    struct SCreated {
        std::string name;
        std::string wildcards;
    };

    CScriptedPrompts() : m_scope(*this) {}

    NPrompts::EAnswer ShowMessage(void* owner, const char16_t* text, const char16_t* caption,
                                  NPrompts::EIcon icon, NPrompts::EButtons buttons) override {
        messages.push_back({owner, text, caption, icon, buttons});
        if (buttons == NPrompts::EButtons::Ok)
            return NPrompts::EAnswer::Ok;
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question";
            return NPrompts::EAnswer::Cancel;
        }
        const NPrompts::EAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    int ChooseFileSpec(void* owner, const NPrompts::SSpecChoice& choice) override {
        choices.push_back(
            {owner, choice.info, {choice.names.begin(), choice.names.end()}, choice.suggested});
        if (choiceAnswers.empty()) {
            ADD_FAILURE() << "unexpected choice";
            return -1;
        }
        const int answer = choiceAnswers.front();
        choiceAnswers.pop_front();
        return answer;
    }

    bool CreateFileSpec(void* owner, const NPrompts::SSpecRequest& request,
                        NPrompts::SNewSpec& created) override {
        creations.push_back(
            {owner, request.rootName, request.leftPath, request.folder, request.suggestedName});
        if (creationAnswers.empty()) {
            ADD_FAILURE() << "unexpected creation";
            return false;
        }
        const std::optional<SCreated> answer = creationAnswers.front();
        creationAnswers.pop_front();
        if (!answer)
            return false;
        created.name = answer->name.c_str();
        created.wildcards = answer->wildcards.c_str();
        return true;
    }

    // What was asked, in order.
    std::vector<SMessage> messages;
    std::vector<SChoice> choices;
    std::vector<SCreation> creations;
    // The answers still to give: to questions (messages with a choice of
    // buttons), to choices (-1 cancels) and to creations (nullopt cancels).
    std::deque<NPrompts::EAnswer> answers;
    std::deque<int> choiceAnswers;
    std::deque<std::optional<SCreated>> creationAnswers;

private:
    NPrompts::CScopedPrompts m_scope;
};

} // namespace FormatsTest
