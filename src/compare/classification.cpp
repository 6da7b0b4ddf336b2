#include "compare/classification.h"

#include "compare/data_node.h"
#include "xml/equality.h"
#include "xml/node.h"
#include "xml/subtree_hash.h"

namespace {

using EKind = SClassification::EKind;

constexpr SClassification kSame{EKind::Same, kSideNone};
constexpr SClassification kOpen{EKind::Open, kSideNone};
constexpr SClassification Pick(int side) {
    return {EKind::Pick, side};
}

// The node itself: enough where the children are classified on their own.
bool NodeEqual(const NXML::CNode* a, const NXML::CNode* b) {
    return NXML::IsEqual(*a, *b);
}

// The whole subtree: needed wherever one side's node is dropped, since a
// picked alternative takes its whole subtree with it.
bool SubtreeEqual(const NXML::CNode* a, const NXML::CNode* b) {
    return NXML::IsSubtreeEqual(*a, *b);
}

// A pick of `side` when the subtree it gives up, `dropped`, equals
// `reference` (the base it came from, or the copy that is kept), so that no
// change is lost; open otherwise.
SClassification PickIfSame(int side, const NXML::CNode* dropped, const NXML::CNode* reference) {
    return SubtreeEqual(dropped, reference) ? Pick(side) : kOpen;
}

// Both present on the two sides of a two-way operation. A pick never drops
// a node here: the other side has none.
SClassification ClassifyTwoWay(bool merge, const NXML::CNode* left, const NXML::CNode* right) {
    if (left != nullptr && right != nullptr)
        return NodeEqual(left, right) ? kSame : kOpen;
    if (!merge)
        return kOpen;
    return Pick(left != nullptr ? kSideLeft : kSideRight);
}

// A side that alone changed the node is picked only when the other side's
// whole subtree is still the base's; where both made the same change, a
// merge takes the left one (and a compare marks the base as the odd one
// out) only when the two subtrees are alike. Anything else is open.
SClassification ClassifyThreeWay(bool merge, const NXML::CNode* base, const NXML::CNode* left,
                                 const NXML::CNode* right) {
    const int bothChanged = merge ? kSideLeft : kSideBase;
    if (base == nullptr) {
        if (left != nullptr && right != nullptr)
            return PickIfSame(bothChanged, right, left);
        return Pick(left != nullptr ? kSideLeft : kSideRight);
    }
    if (left == nullptr && right == nullptr)
        return Pick(bothChanged);
    if (right == nullptr)
        return PickIfSame(kSideRight, left, base);
    if (left == nullptr)
        return PickIfSame(kSideLeft, right, base);
    const bool leftSame = NodeEqual(left, base);
    const bool rightSame = NodeEqual(right, base);
    if (leftSame && rightSame)
        return kSame;
    if (leftSame)
        return PickIfSame(kSideRight, left, base);
    if (rightSame)
        return PickIfSame(kSideLeft, right, base);
    return PickIfSame(bothChanged, right, left);
}

} // namespace

SClassification Classify(const SMatchContext& context, const NXML::CNode* base,
                         const NXML::CNode* left, const NXML::CNode* right) {
    if (context.order.IsThreeWay())
        return ClassifyThreeWay(context.merge, base, left, right);
    return ClassifyTwoWay(context.merge, left, right);
}

bool EverySideEqual(const SMatchContext& context, const CDataNode& match,
                    bool (*equal)(const NXML::CNode&, const NXML::CNode&)) {
    const NXML::CNode* first = match.NodeOf(context.order[0]);
    for (const int side : context.order) {
        const NXML::CNode* other = match.NodeOf(side);
        if (first == nullptr || other == nullptr || (other != first && !equal(*first, *other)))
            return false;
    }
    return true;
}

bool IsSame(const SMatchContext& context, const CDataNode& match) {
    return match.subtreesEqual || EverySideEqual(context, match, NXML::IsEqual);
}

SClassification Classify(const SMatchContext& context, const CDataNode& match) {
    // Most nodes are the same on every side; the rest is decided below.
    if (IsSame(context, match))
        return kSame;
    if (context.merge && match.addedApart)
        return kOpen;
    return Classify(context, match.NodeOf(kSideBase), match.NodeOf(kSideLeft),
                    match.NodeOf(kSideRight));
}
