#include "compare/match_rules.h"

#include "formats/element_spec.h"
#include "formats/file_spec.h"
#include "framework/string_functions.h"
#include "xml/element.h"

#include <cstring>

const CElementSpec* CMatchRules::FindElementSpec(const NXML::CElement& element) {
    return AnswersFor(element).rule;
}

bool CMatchRules::IsSequenced(const NXML::CElement& element) {
    return AnswersFor(element).sequenced;
}

const CMatchRules::SAnswers& CMatchRules::AnswersFor(const NXML::CElement& element) {
    const char* name = element.text.Text();
    if (m_lastName != nullptr && std::strcmp(m_lastName, name) == 0)
        return *m_lastAnswers;
    auto found = m_answers.find(name);
    if (found == m_answers.end()) {
        SAnswers answers;
        if (m_spec != nullptr) {
            answers.rule = m_spec->FindElementSpec(element);
            answers.sequenced = m_spec->IsSequenced(element);
        }
        found = m_answers.emplace(name, answers).first;
    }
    m_lastName = name;
    m_lastAnswers = &found->second;
    return found->second;
}

bool HasAttributeRule(const CElementSpec* rule, const char* name) {
    if (rule == nullptr)
        return false;
    for (const CSpecBase* child = rule->FirstRule(); child != nullptr; child = child->NextRule())
        if (child->GetType() == kSpecTypeAttribute &&
            NString::Compare(child->name.Text(), name) == 0)
            return true;
    return false;
}
