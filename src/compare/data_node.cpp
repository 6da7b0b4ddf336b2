#include "compare/data_node.h"

#include "compare/equal_subtrees.h"
#include "compare/match_algorithms.h"
#include "compare/match_context.h"
#include "compare/match_rules.h"
#include "compare/repeated_addition.h"
#include "compare/split_element_rejoin.h"
#include "framework/job.h"
#include "framework/thread.h"
#include "xml/content.h"
#include "xml/doc.h"
#include "xml/element.h"

#include <limits>
#include <vector>

namespace {

// Children of these kinds only: elements and comments, which a "Random"
// element may reorder; or declarations of a document type's internal subset.
constexpr std::uint32_t kElementsAndComments = 0x420;
constexpr std::uint32_t kDeclarationsOnly = 0x804;

// One bit per kind of child that the node's XML nodes hold, whitespace-only
// character data left out.
std::uint32_t ChildKindMask(const CDataNode& node) {
    std::uint32_t mask = 0;
    for (const NXML::CNode* xml : node.nodes) {
        if (xml == nullptr)
            continue;
        for (const NXML::CNode* child = xml->FirstChild(); child != nullptr;
             child = child->NextSibling()) {
            if (!NXML::IsWhitespaceContent(child))
                mask |= 1u << (static_cast<unsigned>(child->GetType()) & 31u);
        }
    }
    return mask;
}

// Unordered unless the first side holding an element says its children keep
// their order; a node without elements (the document) is always ordered.
bool IsSequenced(const CDataNode& node, const SMatchContext& context, CMatchRules& rules) {
    for (const int side : context.order) {
        const NXML::CNode* xml = node.NodeOf(side);
        if (xml != nullptr && xml->GetType() == NXML::kTypeElement)
            return rules.IsSequenced(static_cast<const NXML::CElement&>(*xml));
    }
    return true;
}

// The attributes of an element whose sides are equal all pair up by name.
void MatchEqualSubtrees(CDataNode& node, const SMatchContext& context, CMatchRules& rules,
                        const SMatchAlgorithms& algorithms) {
    if (CElementNode* element = node.AsElementNode()) {
        algorithms.attributes(*element, context, rules);
        for (CDataNode* attribute = element->attributes.FirstChildNode(); attribute != nullptr;
             attribute = attribute->NextSiblingNode())
            attribute->subtreesEqual = true;
    }
    PairEqualChildren(node, context);
}

void MatchChildren(CDataNode& node, const SMatchContext& context, CMatchRules& rules,
                   const SMatchAlgorithms& algorithms) {
    if (context.reportOnly && IsLeftOutOfReport(node, context))
        return;
    if (algorithms.pairEqualSubtrees && HoldsEqualSubtrees(node, context)) {
        MatchEqualSubtrees(node, context, rules, algorithms);
        return;
    }
    if (CElementNode* element = node.AsElementNode())
        algorithms.attributes(*element, context, rules);
    const std::uint32_t mask = ChildKindMask(node);
    if (mask == 0)
        return;
    // Character data other than whitespace thus always keeps an element's
    // children in order, whatever the format specification asks for.
    if ((mask & ~kElementsAndComments) == 0 && !IsSequenced(node, context, rules))
        algorithms.unordered(node, context, rules);
    else if ((mask & ~kDeclarationsOnly) != 0) {
        algorithms.inOrder(node, context, rules);
        RejoinSplitElements(node, context, rules);
        MarkAdditionsMadeApart(node);
    } else
        algorithms.declarations(node, context, rules);
}

// Matches the children of the nodes on `pending` and everything below them,
// depth first with an explicit stack: documents may nest arbitrarily deep.
// Stops once `pending` holds `enough` nodes, which are left on it.
void MatchBelow(std::vector<CDataNode*>& pending, std::size_t enough, const SMatchContext& context,
                CMatchRules& rules, const SMatchAlgorithms& algorithms) {
    while (!pending.empty() && pending.size() < enough) {
        CDataNode* node = pending.back();
        pending.pop_back();
        MatchChildren(*node, context, rules, algorithms);
        for (CDataNode* child = node->FirstChildNode(); child != nullptr;
             child = child->NextSiblingNode())
            pending.push_back(child);
    }
}

// Fewer subtrees waiting than this are matched by one thread: starting
// others would cost more than they save.
constexpr std::size_t kSubtreesWorthSharing = 4096;

// Builds the whole match tree below `root`.
void MatchTree(CDataNode& root, const SMatchContext& context, const SMatchAlgorithms& algorithms) {
    // One thread goes down until the tree is wide enough to share out.
    const unsigned threads = SharingThreads(context);
    std::vector<CDataNode*> pending{&root};
    {
        CMatchRules rules(context.spec);
        MatchBelow(pending,
                   threads > 1 ? kSubtreesWorthSharing : std::numeric_limits<std::size_t>::max(),
                   context, rules, algorithms);
    }
    if (pending.empty())
        return;
    // The subtrees waiting are disjoint and matching one touches nothing
    // outside it (even the subtree hashes it caches are its own XML nodes'),
    // so each thread takes a share with its own answers of the rules.
    NSys::ShareOutSideBySide<CDataNode*>(
        NSys::CJobThread::kStackSize, pending, threads, [&](const std::vector<CDataNode*>& share) {
            CMatchRules rules(context.spec);
            std::vector<CDataNode*> stack = share;
            MatchBelow(stack, std::numeric_limits<std::size_t>::max(), context, rules, algorithms);
        });
}

} // namespace

const NXML::CNode* CDataNode::NodeAt(int side, const CSideOrder& order) const {
    if (side != kSideAll)
        return side >= 0 && side < 3 ? NodeOf(side) : nullptr;
    for (const int orderedSide : order)
        if (const NXML::CNode* node = NodeOf(orderedSide))
            return node;
    return nullptr;
}

int CDataNode::LoneSide() const {
    int lone = kSideNone;
    for (int side = 0; side < 3; ++side) {
        if (NodeOf(side) == nullptr)
            continue;
        if (lone != kSideNone)
            return kSideNone;
        lone = side;
    }
    return lone;
}

void CDataNode::Build(const SMatchContext& context) {
    Build(context, IndexedMatchAlgorithms());
}

void CDataNode::Build(const SMatchContext& context, const SMatchAlgorithms& algorithms) {
    if (!algorithms.pairEqualSubtrees) {
        MatchTree(*this, context, algorithms);
        return;
    }
    HashSides(*this, context);
    try {
        MatchTree(*this, context, algorithms);
    } catch (const SSubtreeHashCollision&) {
        // Hardly ever: all is matched again the long way, as if no subtree
        // were equal, so that the match is the same whatever the hashes.
        DeleteChildren();
        if (CElementNode* element = AsElementNode())
            element->attributes.DeleteChildren();
        subtreesEqual = false;
        SMatchAlgorithms withoutPairing = algorithms;
        withoutPairing.pairEqualSubtrees = false;
        MatchTree(*this, context, withoutPairing);
    }
}

void CDocNode::Match(const NXML::CDoc* base, const NXML::CDoc* left, const NXML::CDoc* right,
                     const SMatchContext& context) {
    DeleteChildren();
    nodes = {context.order.IsThreeWay() ? base : nullptr, left, right};
    Build(context);
    if (context.order.IsThreeWay())
        MarkMovesMadeApart(*this);
}

CDataNode& AppendMatchNode(CDataNode& parent, int side, const NXML::CNode* node) {
    CDataNode* child = node->GetType() == NXML::kTypeElement ? new CElementNode(side, node)
                                                             : new CDataNode(side, node);
    parent.AddChild(child);
    return *child;
}
