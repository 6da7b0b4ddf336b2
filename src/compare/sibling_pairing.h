#pragma once

#include "compare/anchor_chain.h"
#include "compare/correspondence_key.h"

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

class CMatchRules;
struct SMatchContext;
namespace NXML {
class CNode;
}

// The children of one side's node, each with its CorrespondenceKey.
struct SKeyedChildren {
    CNodeList nodes;
    std::vector<TMatchKey> keys;

    void Add(const NXML::CNode* node, TMatchKey key) {
        nodes.push_back(node);
        keys.push_back(key);
    }
};

// All children of `parent` (null: none) with their keys.
SKeyedChildren KeyedChildren(CMatchRules& rules, const NXML::CNode* parent);

// Which children of the sides stand for the same node where nothing but
// their position tells them apart: elements that correspond to another
// sibling on their own side (same name without an identity rule, or an
// identity that several siblings share), comments when a side holds more
// than one, and in a three-way operation those elements without identity
// and comments that left and right hold and the base does not (each side
// may have inserted them elsewhere). Paired by position, one side's insertion or deletion would
// shift every such node onto its neighbour, so they are aligned first:
// siblings with equal subtrees, unique on both sides and kept in order, are
// anchors; between two anchors the remaining nodes pair by similarity; the
// rest are insertions and deletions. In a three-way operation the base is
// aligned with the left and with the right, and what neither side shares
// with the base pairs between left and right when both inserted it after
// the same base node. Ordered matching then lets only nodes of one group
// correspond.
class CSiblingPairing {
public:
    // `children` by side index, null for a side without a node.
    CSiblingPairing(const std::array<const SKeyedChildren*, 3>& children,
                    const SMatchContext& context, CMatchRules& rules, FAnchorChain anchors);

    // Whether `a` and `b`, children of two sides, may stand for one node:
    // both in the same group, or both left to the format specification.
    bool Allows(const NXML::CNode& a, const NXML::CNode& b) const;
    // `key` made to differ between nodes that the pairing keeps apart.
    TMatchKey PairedKey(const NXML::CNode& node, TMatchKey key) const;

private:
    // Gives the second node of each pair the group of the first.
    void JoinGroups(const CNodeList& a, const CNodeList& b, const CIndexPairs& pairs);
    std::uint32_t NewGroup() { return ++m_groups; }
    // 0 for a node left to the format specification.
    std::uint32_t GroupOf(const NXML::CNode& node) const;

    // Node -> its group: the nodes of one group stand for one node.
    std::unordered_map<const NXML::CNode*, std::uint32_t> m_group;
    std::uint32_t m_groups = 0;
};
