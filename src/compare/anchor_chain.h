#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace NXML {
class CNode;
}

using CNodeList = std::vector<const NXML::CNode*>;
// Pairs (position in one list, position in another), increasing in both.
using CIndexPairs = std::vector<std::pair<std::size_t, std::size_t>>;

// The anchors between two sibling lists: nodes whose subtrees are equal
// (NXML::IsSubtreeEqual) and unique, each equal to no other node of its own
// list and to exactly one of the other list; of those, the longest chain in
// order on both sides. Among equally long chains the one that ends latest in
// `a` wins, each anchor preceded by the latest one that can precede it.
using FAnchorChain = CIndexPairs (*)(const CNodeList& a, const CNodeList& b);

// The anchors of the real matching: equal subtrees found through their
// hashes, the chain by patience sorting, O(n log n).
CIndexPairs IndexedAnchorChain(const CNodeList& a, const CNodeList& b);
