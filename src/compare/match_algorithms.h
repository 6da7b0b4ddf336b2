#pragma once

#include "compare/match_context.h"

class CDataNode;
class CElementNode;
class CMatchRules;
namespace NXML {
class CNode;
}

// The ways the children of one match-tree node are matched across the sides.
// Each appends new match-tree nodes to `parent` and fills their sides; none
// descends into the new nodes.
struct SMatchAlgorithms {
    using FChildren = void (*)(CDataNode& parent, const SMatchContext& context, CMatchRules& rules);
    // Children kept in a fixed order: a greedy merge of the sibling lists,
    // once the siblings that only their position tells apart are aligned
    // (CSiblingPairing).
    FChildren inOrder;
    // Elements and comments of a "Random" element, joined by identity.
    FChildren unordered;
    // Element and attribute-list declarations, joined by kind and name.
    FChildren declarations;
    // An element's attributes, joined by name.
    void (*attributes)(CElementNode& parent, const SMatchContext& context, CMatchRules& rules);
    // Whether a node whose subtree is the same on every side of the operation
    // (NXML::IsSubtreeEqual) has its children paired by position, each marked
    // CDataNode::subtreesEqual, instead of being matched like any other. The
    // subtree hashes of the sides are then taken before matching begins.
    bool pairEqualSubtrees = false;
};

// The algorithms of a real comparison: indexed, so that a parent with a
// million children is matched in about linear time.
const SMatchAlgorithms& IndexedMatchAlgorithms();

// Appends a new match-tree node to `parent` holding `node` on `side`: an
// element node for an element, a plain one otherwise.
CDataNode& AppendMatchNode(CDataNode& parent, int side, const NXML::CNode* node);
