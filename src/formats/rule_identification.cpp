#include "formats/rule_identification.h"

#include "formats/attribute_spec.h"
#include "formats/content_spec.h"
#include "formats/element_spec.h"
#include "formats/file_spec.h"

#include <algorithm>
#include <memory>

namespace {

int SpecTypeOf(EIdentification kind) {
    switch (kind) {
    case EIdentification::Attributes:
        return kSpecTypeAttribute;
    case EIdentification::ChildElements:
        return kSpecTypeElement;
    case EIdentification::Content:
        return kSpecTypeContent;
    case EIdentification::Nothing:
        break;
    }
    return kSpecTypeBase;
}

void DeleteRulesOtherThan(CSpecBase& rule, int keptType) {
    CSpecBase* child = rule.FirstRule();
    while (child != nullptr) {
        CSpecBase* next = child->NextRule();
        if (child->GetType() != keptType) {
            rule.RemoveChild(child);
            delete child;
        }
        child = next;
    }
}

// The top-level rule of the specification for elements named `name`.
const CElementSpec* TopLevelRule(const CFileSpec& spec, const std::string& name) {
    for (const CSpecBase* rule = spec.FirstRule(); rule != nullptr; rule = rule->NextRule())
        if (rule->GetType() == kSpecTypeElement && name == rule->name.Text())
            return static_cast<const CElementSpec*>(rule);
    return nullptr;
}

std::unique_ptr<CSpecBase> NewRule(EIdentification kind, const std::string& name) {
    std::unique_ptr<CSpecBase> rule;
    if (kind == EIdentification::Attributes)
        rule = std::make_unique<CAttributeSpec>();
    else
        rule = std::make_unique<CElementSpec>();
    rule->name = name.c_str();
    return rule;
}

} // namespace

EIdentification IdentificationOf(const CElementSpec& rule) {
    const CSpecBase* first = rule.FirstRule();
    switch (first != nullptr ? first->GetType() : kSpecTypeBase) {
    case kSpecTypeAttribute:
        return EIdentification::Attributes;
    case kSpecTypeElement:
        return EIdentification::ChildElements;
    case kSpecTypeContent:
        return EIdentification::Content;
    default:
        return EIdentification::Nothing;
    }
}

void SetIdentification(CElementSpec& rule, EIdentification kind) {
    if (kind == EIdentification::Content) {
        rule.DeleteChildren();
        rule.AddRule(new CContentSpec);
        return;
    }
    DeleteRulesOtherThan(rule, SpecTypeOf(kind));
}

std::vector<std::string> IdentifyingNames(const CElementSpec& rule, EIdentification kind) {
    std::vector<std::string> names;
    const int type = SpecTypeOf(kind);
    for (const CSpecBase* child = rule.FirstRule(); child != nullptr; child = child->NextRule())
        if (type != kSpecTypeContent && child->GetType() == type)
            names.emplace_back(child->name.Text());
    return names;
}

void SetIdentifyingNames(CElementSpec& rule, EIdentification kind,
                         const std::vector<std::string>& names) {
    SetIdentification(rule, kind);
    if (kind != EIdentification::Attributes && kind != EIdentification::ChildElements)
        return;
    // Unlink every identifying rule, then link back, in the new order, those
    // still named and new ones for the rest.
    std::vector<std::unique_ptr<CSpecBase>> old;
    while (CSpecBase* child = rule.FirstRule()) {
        rule.RemoveChild(child);
        old.emplace_back(child);
    }
    for (const std::string& name : names) {
        auto kept = std::find_if(old.begin(), old.end(), [&name](const auto& child) {
            return child != nullptr && name == child->name.Text();
        });
        std::unique_ptr<CSpecBase> child =
            kept != old.end() ? std::move(*kept) : NewRule(kind, name);
        rule.AddRule(child.release());
    }
}

std::vector<std::string> OfferedNames(const CFileSpec& spec, const CElementSpec& rule,
                                      EIdentification kind) {
    std::vector<std::string> names = IdentifyingNames(rule, kind);
    if (kind == EIdentification::Attributes) {
        if (const CElementSpec* topLevel = TopLevelRule(spec, rule.name.Text()))
            for (const NString::TStr<char>* known : topLevel->knownAttributes)
                names.emplace_back(known->Text());
    } else if (kind == EIdentification::ChildElements) {
        for (const CSpecBase* child = spec.FirstRule(); child != nullptr; child = child->NextRule())
            if (child->GetType() == kSpecTypeElement &&
                !static_cast<const CElementSpec*>(child)->IsDefaultRule())
                names.emplace_back(child->name.Text());
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

EChildOrder ChildOrderOf(const CElementSpec& rule) {
    if (rule.HasFlags(CSpecBase::kSequenced))
        return EChildOrder::Sequenced;
    if (rule.HasFlags(CSpecBase::kRandom))
        return EChildOrder::Random;
    return EChildOrder::Default;
}

void SetChildOrder(CElementSpec& rule, EChildOrder order) {
    rule.ClearFlags(CSpecBase::kOrderMask);
    if (order == EChildOrder::Sequenced)
        rule.SetFlags(CSpecBase::kSequenced);
    else if (order == EChildOrder::Random)
        rule.SetFlags(CSpecBase::kRandom);
}
