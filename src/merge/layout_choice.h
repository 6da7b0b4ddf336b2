#pragma once

#include "compare/side_order.h"

#include <array>

namespace NXML {
class CNode;
}

// Where the inputs hold nodes that are equal but may be laid out apart (the
// whitespace in and around their tags, quote marks, attribute order, the
// text after the root element), the merged document takes one side's
// layout: the right's when the left kept the base's and the right changed
// it, else the left's. So a layout change that one side made is kept, and
// the left wins only where both changed it. Without a base (a two-way
// operation) or without a node on every side it is the left's.
//
// `nodes` is indexed by side; `sameLayout(a, b)` says whether a and b are
// laid out alike in the respect asked about.
template <class TSameLayout>
int LayoutSide(const std::array<const NXML::CNode*, 3>& nodes, TSameLayout sameLayout) {
    const NXML::CNode* base = nodes[kSideBase];
    const NXML::CNode* left = nodes[kSideLeft];
    const NXML::CNode* right = nodes[kSideRight];
    if (base == nullptr || left == nullptr || right == nullptr)
        return kSideLeft;
    // The right's is asked first: it nearly always is the base's.
    return !sameLayout(*right, *base) && sameLayout(*left, *base) ? kSideRight : kSideLeft;
}
