#pragma once

#include <string_view>
#include <unordered_map>

class CElementSpec;
class CFileSpec;

namespace NXML {
class CElement;
}

// The questions matching puts to the format specification, answered once
// per element name: a specification's rules are walked in order for every
// question, and a document asks them for every element it holds.
class CMatchRules {
public:
    // Null `spec`: every element identified by name, children in order.
    explicit CMatchRules(const CFileSpec* spec) : m_spec(spec) {}

    // The rule that identifies elements of this name, or null.
    const CElementSpec* FindElementSpec(const NXML::CElement& element);
    // Whether the children of such elements keep their order.
    bool IsSequenced(const NXML::CElement& element);

private:
    struct SAnswers {
        const CElementSpec* rule = nullptr;
        bool sequenced = true;
    };
    const SAnswers& AnswersFor(const NXML::CElement& element);

    const CFileSpec* m_spec;
    // Keyed by the element names, which the documents own and outlive this.
    std::unordered_map<std::string_view, SAnswers> m_answers;
    // The name asked about last and its answers: questions come in runs of
    // one name, asked for siblings of one kind, which a comparison answers
    // sooner than hashing the name.
    const char* m_lastName = nullptr;
    const SAnswers* m_lastAnswers = nullptr;
};

// Whether `rule` (null: no rule) has an attribute rule named `name`.
bool HasAttributeRule(const CElementSpec* rule, const char* name);
