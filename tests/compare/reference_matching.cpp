#include "reference_matching.h"

#include "compare/correspondence.h"
#include "compare/data_node.h"
#include "compare/join_tests.h"
#include "compare/match_rules.h"
#include "compare/sibling_pairing.h"
#include "formats/element_spec.h"
#include "framework/string_functions.h"
#include "xml/content.h"
#include "xml/element.h"
#include "xml/subtree_hash.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

bool SameText(const char* a, const char* b) {
    return NString::Compare(a, b) == 0;
}

// ---- In order ----

// Whether `node` is equal to exactly `times` nodes of `list`.
bool EqualTimes(const NXML::CNode& node, const CNodeList& list, int times) {
    int equal = 0;
    for (const NXML::CNode* other : list)
        equal += NXML::IsSubtreeEqual(node, *other) ? 1 : 0;
    return equal == times;
}

// The anchors by their definition: every pair of unique equal subtrees
// found by comparing each node with all others, and the longest chain by
// trying every predecessor for every anchor.
CIndexPairs PlainAnchorChain(const CNodeList& a, const CNodeList& b) {
    CIndexPairs candidates;
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j)
            if (NXML::IsSubtreeEqual(*a[i], *b[j]) && EqualTimes(*a[i], a, 1) &&
                EqualTimes(*b[j], b, 1))
                candidates.emplace_back(i, j);
    // length[c]: the longest chain ending with candidate c.
    std::vector<std::size_t> length(candidates.size(), 1);
    for (std::size_t c = 0; c < candidates.size(); ++c)
        for (std::size_t d = 0; d < c; ++d)
            if (candidates[d].second < candidates[c].second)
                length[c] = std::max(length[c], length[d] + 1);
    const std::size_t longest =
        length.empty() ? 0 : *std::max_element(length.begin(), length.end());
    // Backwards from the latest longest chain's end, each time the latest
    // candidate that can precede.
    CIndexPairs chain;
    for (std::size_t c = candidates.size(); c-- > 0;) {
        const bool precedes = chain.empty() || candidates[c].second < chain.back().second;
        if (length[c] == longest - chain.size() && precedes)
            chain.push_back(candidates[c]);
    }
    std::reverse(chain.begin(), chain.end());
    return chain;
}

// The side with the lowest score; equal scores prefer left, then base.
int PickSide(const std::array<int, 3>& score) {
    if (score[0] < score[1])
        return score[0] <= score[2] ? kSideBase : kSideRight;
    return score[1] > score[2] ? kSideRight : kSideLeft;
}

void SimpleInOrder(CDataNode& parent, const SMatchContext& context, CMatchRules& rules) {
    std::array<SKeyedChildren, 3> keyed;
    for (const int side : context.order)
        keyed[static_cast<std::size_t>(side)] = KeyedChildren(rules, parent.NodeOf(side));
    const CSiblingPairing pairing({&keyed[0], &keyed[1], &keyed[2]}, context, rules,
                                  PlainAnchorChain);
    std::array<const NXML::CNode*, 3> cursor{};
    for (int side = 0; side < 3; ++side)
        if (const NXML::CNode* node = parent.NodeOf(side))
            cursor[static_cast<std::size_t>(side)] = node->FirstChild();
    while (cursor[0] != nullptr || cursor[1] != nullptr || cursor[2] != nullptr) {
        for (const NXML::CNode*& node : cursor)
            while (node != nullptr && NXML::IsWhitespaceContent(node))
                node = node->NextSibling();
        std::array<int, 3> score{};
        for (std::size_t i = 0; i < 3; ++i)
            score[i] = SiblingDistance(rules, pairing, cursor[i], cursor[(i + 1) % 3]) +
                       SiblingDistance(rules, pairing, cursor[i], cursor[(i + 2) % 3]);
        const int picked = PickSide(score);
        const NXML::CNode* pickedNode = cursor[static_cast<std::size_t>(picked)];
        if (pickedNode == nullptr)
            continue;
        CDataNode& match = AppendMatchNode(parent, picked, pickedNode);
        for (const int side : context.order) {
            const NXML::CNode* node = cursor[static_cast<std::size_t>(side)];
            if (node != nullptr &&
                (side == picked || NodesCorrespond(rules, pairing, *pickedNode, *node)))
                match.nodes[static_cast<std::size_t>(side)] = node;
        }
        for (const int side : context.order)
            if (match.NodeOf(side) != nullptr)
                cursor[static_cast<std::size_t>(side)] =
                    cursor[static_cast<std::size_t>(side)]->NextSibling();
    }
}

// ---- Joins by identity ----

// Gives `node` of the side at `position` to the first match-tree child that
// has nothing on that side yet and holds a node on an earlier side that
// passes `same`.
bool Join(CDataNode& parent, const SMatchContext& context, CMatchRules& rules, int position,
          const NXML::CNode& node, FJoinTest same) {
    const int side = context.order[position];
    for (CDataNode* match = parent.FirstChildNode(); match != nullptr;
         match = match->NextSiblingNode()) {
        if (match->NodeOf(side) != nullptr)
            continue;
        for (int earlier = 0; earlier < position; ++earlier) {
            const NXML::CNode* x = match->NodeOf(context.order[earlier]);
            if (x != nullptr && same(rules, *x, node)) {
                match->nodes[static_cast<std::size_t>(side)] = &node;
                return true;
            }
        }
    }
    return false;
}

// ---- Placing unordered siblings ----

using CMatchList = std::vector<CDataNode*>;

template <typename T> std::ptrdiff_t IndexIn(const std::vector<T>& list, const T& item) {
    const auto found = std::find(list.begin(), list.end(), item);
    return found == list.end() ? -1 : found - list.begin();
}

// The match-tree children holding a node of `side`, in that side's order.
CMatchList SideSequence(const CDataNode& parent, int side) {
    CMatchList sequence;
    if (parent.NodeOf(side) == nullptr)
        return sequence;
    for (const NXML::CNode* child = parent.NodeOf(side)->FirstChild(); child != nullptr;
         child = child->NextSibling())
        for (CDataNode* match = parent.FirstChildNode(); match != nullptr;
             match = match->NextSiblingNode())
            if (match->NodeOf(side) == child)
                sequence.push_back(match);
    return sequence;
}

// Some two siblings that `side` and the base both hold stand in the other
// order on `side`.
bool MovedAgainstBase(const CMatchList& side, const CMatchList& base) {
    for (std::size_t i = 0; i < side.size(); ++i)
        for (std::size_t j = i + 1; j < side.size(); ++j) {
            const std::ptrdiff_t first = IndexIn(base, side[i]);
            const std::ptrdiff_t second = IndexIn(base, side[j]);
            if (first >= 0 && second >= 0 && first > second)
                return true;
        }
    return false;
}

// The first position in the column order of a side that holds `match`.
int FirstPosition(const CDataNode& match, const CSideOrder& order) {
    for (int position = 0;; ++position)
        if (match.NodeOf(order[position]) != nullptr)
            return position;
}

// Whether the k-th sibling of `sequence`, the side at `position` in
// `order`, goes after `match`: the side holds `match` before it, or lacks it
// and an earlier side holds it.
bool Passes(CDataNode* match, const CMatchList& sequence, std::size_t k, const CSideOrder& order,
            int position) {
    const std::ptrdiff_t rank = IndexIn(sequence, match);
    if (rank >= 0)
        return static_cast<std::size_t>(rank) < k;
    return FirstPosition(*match, order) < position;
}

// The order of the left, or of the right when only the right moved
// siblings; then every side in column order puts each sibling not placed
// yet after its predecessor there and after the placed ones that it passes.
void PlaceSiblings(CDataNode& parent, const SMatchContext& context) {
    std::array<CMatchList, 3> sequences;
    for (int side = 0; side < 3; ++side)
        sequences[static_cast<std::size_t>(side)] = SideSequence(parent, side);
    int ordering = kSideLeft;
    if (context.order.IsThreeWay() &&
        MovedAgainstBase(sequences[kSideRight], sequences[kSideBase]) &&
        !MovedAgainstBase(sequences[kSideLeft], sequences[kSideBase]))
        ordering = kSideRight;
    CMatchList placed = sequences[static_cast<std::size_t>(ordering)];
    for (int position = 0; position < context.order.Count(); ++position) {
        const int side = context.order[position];
        const CMatchList& sequence = sequences[static_cast<std::size_t>(side)];
        for (std::size_t k = 0; k < sequence.size(); ++k) {
            if (IndexIn(placed, sequence[k]) >= 0)
                continue;
            std::size_t at =
                k == 0 ? 0 : static_cast<std::size_t>(IndexIn(placed, sequence[k - 1])) + 1;
            while (at < placed.size() && Passes(placed[at], sequence, k, context.order, position))
                ++at;
            placed.insert(placed.begin() + static_cast<std::ptrdiff_t>(at), sequence[k]);
        }
    }
    for (CDataNode* match : placed)
        parent.AddChild(match);
}

// `testFor` chooses the join test for a child, or null to skip the child.
void JoinChildren(CDataNode& parent, const SMatchContext& context, CMatchRules& rules,
                  FJoinTest (*testFor)(const NXML::CNode&)) {
    for (int position = 0; position < context.order.Count(); ++position) {
        const int side = context.order[position];
        const NXML::CNode* xml = parent.NodeOf(side);
        if (xml == nullptr)
            continue;
        for (const NXML::CNode* child = xml->FirstChild(); child != nullptr;
             child = child->NextSibling()) {
            const FJoinTest same = testFor(*child);
            if (same != nullptr && !Join(parent, context, rules, position, *child, same))
                AppendMatchNode(parent, side, child);
        }
    }
    PlaceSiblings(parent, context);
}

void SimpleUnordered(CDataNode& parent, const SMatchContext& context, CMatchRules& rules) {
    JoinChildren(parent, context, rules, UnorderedJoinTest);
}

void SimpleDeclarations(CDataNode& parent, const SMatchContext& context, CMatchRules& rules) {
    JoinChildren(parent, context, rules, DeclarationJoinTest);
}

// ---- Attributes ----

const char* AttributeNodeName(const CDataNode& match, const CSideOrder& order) {
    return static_cast<const NXML::CAttribute*>(match.NodeAt(kSideAll, order))->name.Text();
}

void SimpleAttributes(CElementNode& parent, const SMatchContext& context, CMatchRules& rules) {
    for (const int side : context.order) {
        const auto* element = static_cast<const NXML::CElement*>(parent.NodeOf(side));
        if (element == nullptr)
            continue;
        const CElementSpec* rule = rules.FindElementSpec(*element);
        for (const NXML::CAttribute* attribute = element->FirstAttribute(); attribute != nullptr;
             attribute = attribute->NextAttribute()) {
            CDataNode* match = parent.attributes.FirstChildNode();
            while (match != nullptr &&
                   !SameText(AttributeNodeName(*match, context.order), attribute->name.Text()))
                match = match->NextSiblingNode();
            if (match == nullptr) {
                match = new CAttributeNode;
                const bool named = HasAttributeRule(rule, attribute->name.Text());
                parent.attributes.AddChild(match, named ? parent.attributes.FirstChild() : nullptr);
            }
            match->nodes[static_cast<std::size_t>(side)] = attribute;
        }
    }
}

} // namespace

const SMatchAlgorithms& ReferenceMatchAlgorithms() {
    static const SMatchAlgorithms algorithms{SimpleInOrder, SimpleUnordered, SimpleDeclarations,
                                             SimpleAttributes};
    return algorithms;
}
