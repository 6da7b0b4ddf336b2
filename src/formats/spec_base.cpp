#include "formats/spec_base.h"

#include "formats/attribute_spec.h"
#include "formats/content_spec.h"
#include "formats/element_spec.h"
#include "formats/file_spec.h"
#include "formats/spec_values.h"
#include "framework/result.h"
#include "framework/string_functions.h"
#include "xml/element.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

// A new, empty rule of the kind a specification-file element names; null for
// any other element.
CSpecBase* NewRuleFor(const char* elementName) {
    if (std::strcmp(elementName, "file") == 0)
        return new CFileSpec;
    if (std::strcmp(elementName, "element") == 0)
        return new CElementSpec;
    if (std::strcmp(elementName, "attribute") == 0)
        return new CAttributeSpec;
    if (std::strcmp(elementName, "content") == 0)
        return new CContentSpec;
    return nullptr;
}

} // namespace

CSpecBase::CSpecBase(const CSpecBase& other)
    : NPtr::CNode(), NPtr::CFlagWord(other), name(other.name) {
    for (const CSpecBase* rule = other.FirstRule(); rule != nullptr; rule = rule->NextRule())
        AddRule(rule->Clone());
}

void CSpecBase::Read(const NXML::CElement& element, int depth) {
    ReadChildRules(element, depth);
}

void CSpecBase::ReadChildRules(const NXML::CElement& element, int depth) {
    if (depth >= kDeepestRule)
        return;
    for (const NXML::CElement* child = element.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        CSpecBase* rule = NewRuleFor(child->text.Text());
        if (rule == nullptr)
            continue;
        AddRule(rule);
        rule->name = SpecAttributeValue(*child, "name");
        rule->Read(*child, depth + 1);
    }
}

int CSpecBase::Write(NIO::CBase& out, int indent) const {
    int result = NResult::kOk;
    for (const CSpecBase* rule = FirstRule(); rule != nullptr && result == NResult::kOk;
         rule = rule->NextRule())
        result = rule->Write(out, indent + 1);
    return result;
}

CFileSpec* CSpecBase::FindInUse() {
    for (CSpecBase* rule = FirstRule(); rule != nullptr; rule = rule->NextRule())
        if (CFileSpec* found = rule->FindInUse())
            return found;
    return nullptr;
}

CSpecBase* CSpecBase::FindChildRule(const char* ruleName) const {
    for (CSpecBase* rule = FirstRule(); rule != nullptr; rule = rule->NextRule())
        if (NString::Compare(rule->name.Text(), ruleName) == 0)
            return rule;
    return nullptr;
}

CSpecBase* CSpecBase::FindRule(const char* path) const {
    const CSpecBase* rule = this;
    const char* part = path;
    while (rule != nullptr) {
        const char* dot = NString::FindChar(part, U'.');
        if (dot == nullptr)
            return rule->FindChildRule(part);
        rule = rule->FindChildRule(std::string(part, dot).c_str());
        part = dot + 1;
    }
    return nullptr;
}

CSpecBase* CSpecBase::FindRuleOfType(int type, int n) const {
    for (CSpecBase* rule = FirstRule(); rule != nullptr; rule = rule->NextRule())
        if (rule->GetType() == type && n-- == 0)
            return rule;
    return nullptr;
}

NString::TStr<char> CSpecBase::SpecPath() const {
    std::vector<const CSpecBase*> rules;
    for (const NPtr::CNode* node = this; node != nullptr; node = node->Parent()) {
        const auto* rule = dynamic_cast<const CSpecBase*>(node);
        if (rule == nullptr)
            break;
        rules.push_back(rule);
    }
    NString::TStr<char> path("Formats");
    for (auto rule = rules.rbegin(); rule != rules.rend(); ++rule) {
        path.Append("#");
        path.Append((*rule)->name.Text());
    }
    return path;
}
