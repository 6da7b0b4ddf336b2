#include "compare/equal_subtrees.h"

#include "compare/classification.h"
#include "compare/data_node.h"
#include "compare/match_algorithms.h"
#include "framework/job.h"
#include "framework/thread.h"
#include "xml/content.h"
#include "xml/subtree_hash.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// Whether the children of `a` and `b` that matching takes have equal subtree
// hashes position by position.
bool ChildrenPairUp(const NXML::CNode& a, const NXML::CNode& b) {
    return NXML::ForEachChildPair(a, b, [](const NXML::CNode& childA, const NXML::CNode& childB) {
        return NXML::SubtreeHash(childA) == NXML::SubtreeHash(childB);
    });
}

// Whether the other sides' nodes equal `first` as far as matching this
// node's children goes: the nodes themselves, and their children's hashes.
bool EqualOnEverySide(const CDataNode& node, const NXML::CNode& first,
                      const SMatchContext& context) {
    for (const int side : context.order) {
        const NXML::CNode* other = node.NodeOf(side);
        if (other == &first)
            continue;
        if (other == nullptr || NXML::SubtreeHash(*other) != NXML::SubtreeHash(first) ||
            !NXML::IsOwnPartEqual(first, *other) || !ChildrenPairUp(first, *other))
            return false;
    }
    return true;
}

// Whether PairEqualChildren made `node`.
bool PairedByPosition(const CDataNode& node) {
    const auto* parent = static_cast<const CDataNode*>(node.Parent());
    return parent != nullptr && parent->subtreesEqual;
}

} // namespace

void HashSides(const CDataNode& node, const SMatchContext& context) {
    std::vector<const NXML::CNode*> roots;
    for (const int side : context.order) {
        // A document given for two sides is hashed by one thread only.
        const NXML::CNode* root = node.NodeOf(side);
        if (root != nullptr && std::ranges::find(roots, root) == roots.end())
            roots.push_back(root);
    }
    if (roots.empty())
        return;
    const auto threads = std::min(SharingThreads(context), static_cast<unsigned>(roots.size()));
    NSys::ShareOutSideBySide<const NXML::CNode*>(NSys::CJobThread::kStackSize, roots, threads,
                                                 [](const std::vector<const NXML::CNode*>& share) {
                                                     for (const NXML::CNode* root : share)
                                                         NXML::SubtreeHash(*root);
                                                 });
}

bool HoldsEqualSubtrees(CDataNode& node, const SMatchContext& context) {
    const NXML::CNode* first = node.NodeOf(context.order[0]);
    node.subtreesEqual = first != nullptr && EqualOnEverySide(node, *first, context);
    if (!node.subtreesEqual && PairedByPosition(node))
        throw SSubtreeHashCollision();
    return node.subtreesEqual;
}

bool IsLeftOutOfReport(CDataNode& node, const SMatchContext& context) {
    const auto* parent = static_cast<const CDataNode*>(node.Parent());
    node.outsideDifferences =
        parent == nullptr || (parent->outsideDifferences && IsSame(context, node));
    if (!node.outsideDifferences || !EverySideEqual(context, node, NXML::IsSubtreeEqual))
        return false;
    node.subtreesEqual = true;
    return true;
}

void PairEqualChildren(CDataNode& parent, const SMatchContext& context) {
    const int firstSide = context.order[0];
    std::array<const NXML::CNode*, 3> next{};
    for (const int side : context.order)
        next[static_cast<std::size_t>(side)] =
            NXML::SkipWhitespaceContent(parent.NodeOf(side)->FirstChild());
    while (const NXML::CNode* child = next[static_cast<std::size_t>(firstSide)]) {
        CDataNode& match = AppendMatchNode(parent, firstSide, child);
        for (const int side : context.order) {
            const auto at = static_cast<std::size_t>(side);
            match.nodes[at] = next[at];
            next[at] = NXML::SkipWhitespaceContent(next[at]->NextSibling());
        }
    }
}
