#include "xml/equality.h"

#include "framework/string_functions.h"
#include "xml/attribute.h"
#include "xml/declarations.h"
#include "xml/doctype.h"
#include "xml/element.h"

#include <utility>
#include <vector>

namespace NXML {

namespace {

using CPairs = std::vector<std::pair<const CNode*, const CNode*>>;

bool SameText(const NString::TStr<char>& a, const NString::TStr<char>& b) {
    return NString::Compare(a.Text(), b.Text()) == 0;
}

// Pairs the children of two particles; false when their counts differ.
bool PairChildren(const CNode& a, const CNode& b, CPairs& pending) {
    const CNode* childA = a.FirstChild();
    const CNode* childB = b.FirstChild();
    for (; childA != nullptr && childB != nullptr;
         childA = childA->NextSibling(), childB = childB->NextSibling())
        pending.emplace_back(childA, childB);
    return childA == nullptr && childB == nullptr;
}

// Compares what belongs to the two nodes themselves and queues the pairs of
// nodes below them that must be equal as well.
bool EqualHere(const CNode& a, const CNode& b, CPairs& pending) {
    if (a.GetType() != b.GetType() || !SameText(a.text, b.text))
        return false;
    switch (a.GetType()) {
    case kTypeAttribute:
        return SameText(static_cast<const CAttribute&>(a).name,
                        static_cast<const CAttribute&>(b).name);
    case kTypeContentParticle:
        return a.flags == b.flags && PairChildren(a, b, pending);
    case kTypeDocTypeDecl: {
        const auto& docTypeA = static_cast<const CDocTypeDecl&>(a);
        const auto& docTypeB = static_cast<const CDocTypeDecl&>(b);
        return docTypeA.publicQuote == docTypeB.publicQuote &&
               docTypeA.systemQuote == docTypeB.systemQuote &&
               SameText(docTypeA.publicLiteral, docTypeB.publicLiteral) &&
               SameText(docTypeA.systemLiteral, docTypeB.systemLiteral);
    }
    case kTypeElement:
        return SameText(static_cast<const CElement&>(a).namespaceUri,
                        static_cast<const CElement&>(b).namespaceUri);
    case kTypeElementDecl:
        // EMPTY, ANY and mixed content live in the flags, not in the model.
        pending.emplace_back(&static_cast<const CElementDecl&>(a).model,
                             &static_cast<const CElementDecl&>(b).model);
        return a.flags == b.flags;
    case kTypeAttributeDecl:
        // Written back as one piece, so it differs when any definition does.
        return PairChildren(a, b, pending);
    case kTypeAttributeDef:
        // Type, default kind, default value and allowed values.
        return a.flags == b.flags &&
               SameText(static_cast<const CAttributeDef&>(a).defaultValue,
                        static_cast<const CAttributeDef&>(b).defaultValue) &&
               PairChildren(a, b, pending);
    default:
        return true;
    }
}

} // namespace

bool IsEqual(const CNode& a, const CNode& b) {
    // Most kinds queue nothing, and an empty list allocates nothing.
    CPairs pending;
    if (!EqualHere(a, b, pending))
        return false;
    while (!pending.empty()) {
        const auto [nodeA, nodeB] = pending.back();
        pending.pop_back();
        if (!EqualHere(*nodeA, *nodeB, pending))
            return false;
    }
    return true;
}

} // namespace NXML
