#include "compare/data_node.h"

#include "compare/match_algorithms.h"
#include "compare/match_rules.h"
#include "compare/repeated_addition.h"
#include "compare/split_element_rejoin.h"
#include "xml/content.h"
#include "xml/doc.h"
#include "xml/element.h"

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

void MatchChildren(CDataNode& node, const SMatchContext& context, CMatchRules& rules,
                   const SMatchAlgorithms& algorithms) {
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
    CMatchRules rules(context.spec);
    // Depth first with an explicit stack: documents may nest arbitrarily deep.
    std::vector<CDataNode*> pending{this};
    while (!pending.empty()) {
        CDataNode* node = pending.back();
        pending.pop_back();
        MatchChildren(*node, context, rules, algorithms);
        for (CDataNode* child = node->FirstChildNode(); child != nullptr;
             child = child->NextSiblingNode())
            pending.push_back(child);
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
