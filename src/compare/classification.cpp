#include "compare/classification.h"

#include "xml/equality.h"
#include "xml/node.h"

namespace {

using EKind = SClassification::EKind;

constexpr SClassification kSame{EKind::Same, kSideNone};
constexpr SClassification kOpen{EKind::Open, kSideNone};
constexpr SClassification Pick(int side) {
    return {EKind::Pick, side};
}

bool Equal(const NXML::CNode* a, const NXML::CNode* b) {
    return NXML::IsEqual(*a, *b);
}

// Both present on the two sides of a two-way operation.
SClassification ClassifyTwoWay(bool merge, const NXML::CNode* left, const NXML::CNode* right) {
    if (left != nullptr && right != nullptr)
        return Equal(left, right) ? kSame : kOpen;
    if (!merge)
        return kOpen;
    return Pick(left != nullptr ? kSideLeft : kSideRight);
}

// Where both sides made the same change, a merge takes the left one and a
// compare marks the base as the odd one out.
SClassification ClassifyThreeWay(bool merge, const NXML::CNode* base, const NXML::CNode* left,
                                 const NXML::CNode* right) {
    const SClassification bothChanged = Pick(merge ? kSideLeft : kSideBase);
    if (base == nullptr) {
        if (left != nullptr && right != nullptr)
            return Equal(left, right) ? bothChanged : kOpen;
        return Pick(left != nullptr ? kSideLeft : kSideRight);
    }
    if (left == nullptr && right == nullptr)
        return bothChanged;
    if (right == nullptr)
        return Equal(left, base) ? Pick(kSideRight) : kOpen;
    if (left == nullptr)
        return Equal(right, base) ? Pick(kSideLeft) : kOpen;
    const bool leftSame = Equal(left, base);
    const bool rightSame = Equal(right, base);
    if (leftSame && rightSame)
        return kSame;
    if (leftSame)
        return Pick(kSideRight);
    if (rightSame)
        return Pick(kSideLeft);
    return Equal(left, right) ? bothChanged : kOpen;
}

} // namespace

SClassification Classify(const SMatchContext& context, const NXML::CNode* base,
                         const NXML::CNode* left, const NXML::CNode* right) {
    if (context.order.IsThreeWay())
        return ClassifyThreeWay(context.merge, base, left, right);
    return ClassifyTwoWay(context.merge, left, right);
}
