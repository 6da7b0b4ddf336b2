#include "compare/join_tests.h"

#include "compare/match_rules.h"
#include "formats/element_spec.h"
#include "framework/string_functions.h"
#include "xml/content.h"
#include "xml/element.h"

namespace {

bool SameText(const char* a, const char* b) {
    return NString::Compare(a, b) == 0;
}

} // namespace

bool SameElement(CMatchRules& rules, const NXML::CNode& earlier, const NXML::CNode& node) {
    if (earlier.GetType() != NXML::kTypeElement)
        return false;
    const auto& x = static_cast<const NXML::CElement&>(earlier);
    const auto& c = static_cast<const NXML::CElement&>(node);
    if (!SameText(x.text.Text(), c.text.Text()) ||
        !SameText(x.namespaceUri.Text(), c.namespaceUri.Text()))
        return false;
    const CElementSpec* rule = rules.FindElementSpec(c);
    return rule == nullptr || rule->IdentifyEqual(x, c);
}

bool SameComment(CMatchRules&, const NXML::CNode& earlier, const NXML::CNode& node) {
    return earlier.GetType() == NXML::kTypeComment &&
           SameText(earlier.text.Text(), node.text.Text());
}

bool SameDeclaration(CMatchRules&, const NXML::CNode& earlier, const NXML::CNode& node) {
    return earlier.GetType() == node.GetType() && SameText(earlier.text.Text(), node.text.Text());
}

FJoinTest UnorderedJoinTest(const NXML::CNode& child) {
    switch (child.GetType()) {
    case NXML::kTypeElement:
        return SameElement;
    case NXML::kTypeComment:
        return SameComment;
    default:
        return nullptr;
    }
}

FJoinTest DeclarationJoinTest(const NXML::CNode& child) {
    return NXML::IsWhitespaceContent(&child) ? nullptr : SameDeclaration;
}
