#include "compare/repeated_addition.h"

#include "compare/data_node.h"
#include "xml/node.h"
#include "xml/subtree_hash.h"

#include <unordered_map>
#include <vector>

namespace {

// The nodes that `parent`'s children hold on `side` alone: what that side
// added here, since a node both sides lack is not in the base either.
std::vector<CDataNode*> AddedBy(const CDataNode& parent, int side) {
    std::vector<CDataNode*> added;
    for (CDataNode* match = parent.FirstChildNode(); match != nullptr;
         match = match->NextSiblingNode()) {
        const NXML::CNode* node = match->NodeOf(side);
        if (node != nullptr && match->LoneSide() == side &&
            (node->GetType() == NXML::kTypeElement || node->GetType() == NXML::kTypeComment))
            added.push_back(match);
    }
    return added;
}

} // namespace

void MarkAdditionsMadeApart(CDataNode& parent) {
    const std::vector<CDataNode*> left = AddedBy(parent, kSideLeft);
    if (left.empty())
        return;
    std::unordered_multimap<std::uint32_t, CDataNode*> right;
    for (CDataNode* match : AddedBy(parent, kSideRight))
        right.emplace(NXML::SubtreeHash(*match->NodeOf(kSideRight)), match);
    for (CDataNode* leftMatch : left) {
        const NXML::CNode& added = *leftMatch->NodeOf(kSideLeft);
        const auto [first, last] = right.equal_range(NXML::SubtreeHash(added));
        for (auto candidate = first; candidate != last; ++candidate)
            if (NXML::IsSubtreeEqual(added, *candidate->second->NodeOf(kSideRight))) {
                leftMatch->addedApart = true;
                candidate->second->addedApart = true;
            }
    }
}
