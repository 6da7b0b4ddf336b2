#include "compare/correspondence.h"

#include "compare/match_rules.h"
#include "compare/sibling_pairing.h"
#include "formats/element_spec.h"
#include "framework/string_functions.h"
#include "xml/content.h"
#include "xml/element.h"

bool NodesCorrespond(CMatchRules& rules, const NXML::CNode& a, const NXML::CNode& b) {
    const int type = a.GetType();
    if (type != b.GetType())
        return false;
    if (type == NXML::kTypeComment || type == NXML::kTypeContent)
        return true;
    // A document has one declaration, however each side spells or edits it.
    if (NXML::IsXmlDeclaration(a) && NXML::IsXmlDeclaration(b))
        return true;
    if (type == NXML::kTypeElement) {
        const auto& elementA = static_cast<const NXML::CElement&>(a);
        if (const CElementSpec* rule = rules.FindElementSpec(elementA))
            return rule->IdentifyEqual(static_cast<const NXML::CElement&>(b), elementA);
    }
    return NString::Compare(a.text.Text(), b.text.Text()) == 0;
}

bool NodesCorrespond(CMatchRules& rules, const CSiblingPairing& pairing, const NXML::CNode& a,
                     const NXML::CNode& b) {
    return pairing.Allows(a, b) && NodesCorrespond(rules, a, b);
}

int SiblingDistance(CMatchRules& rules, const CSiblingPairing& pairing, const NXML::CNode* a,
                    const NXML::CNode* b) {
    if (a == nullptr)
        return kNoSiblingDistance;
    int position = 0;
    for (const NXML::CNode* sibling = b; sibling != nullptr;
         sibling = sibling->NextSibling(), ++position) {
        if (NodesCorrespond(rules, pairing, *a, *sibling))
            return position;
    }
    return 0;
}
