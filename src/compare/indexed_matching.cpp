#include "compare/correspondence.h"
#include "compare/correspondence_key.h"
#include "compare/data_node.h"
#include "compare/join_tests.h"
#include "compare/match_algorithms.h"
#include "compare/match_rules.h"
#include "compare/sibling_index.h"
#include "compare/sibling_pairing.h"
#include "compare/sibling_placement.h"
#include "xml/attribute.h"
#include "xml/content.h"
#include "xml/element.h"

#include <array>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

// ---- In order ----

// One side's sibling list and how far matching has come along it.
struct SCursor {
    std::optional<CSiblingIndex> siblings;
    std::size_t position = 0;

    bool AtEnd() const { return !siblings || position >= siblings->Size(); }
    const NXML::CNode* Node() const { return AtEnd() ? nullptr : siblings->At(position); }
    TMatchKey Key() const { return siblings->KeyAt(position); }
    void SkipWhitespace() {
        while (!AtEnd() && NXML::IsWhitespaceContent(siblings->At(position)))
            ++position;
    }
};

// SiblingDistance from this cursor's node to the nodes of `other`.
int Distance(CMatchRules& rules, const SCursor& from, const SCursor& other) {
    if (from.AtEnd())
        return kNoSiblingDistance;
    if (other.AtEnd())
        return 0;
    const std::size_t found =
        other.siblings->FindCorresponding(rules, *from.Node(), from.Key(), other.position);
    return found == CSiblingIndex::kNotFound ? 0 : static_cast<int>(found - other.position);
}

// The side with the lowest score; equal scores prefer left, then base.
int PickSide(const std::array<int, 3>& score) {
    if (score[0] < score[1])
        return score[0] <= score[2] ? kSideBase : kSideRight;
    return score[1] > score[2] ? kSideRight : kSideLeft;
}

bool CursorCorresponds(CMatchRules& rules, const CSiblingPairing& pairing, const SCursor& picked,
                       const SCursor& cursor) {
    return picked.Key() == cursor.Key() &&
           NodesCorrespond(rules, pairing, *picked.Node(), *cursor.Node());
}

void InOrder(CDataNode& parent, const SMatchContext& context, CMatchRules& rules) {
    std::array<SCursor, 3> cursors;
    std::array<const SKeyedChildren*, 3> children{};
    for (const int side : context.order)
        if (const NXML::CNode* node = parent.NodeOf(side)) {
            const auto at = static_cast<std::size_t>(side);
            children[at] = &cursors[at].siblings.emplace(rules, node).Children();
        }
    const CSiblingPairing pairing(children, context, rules, IndexedAnchorChain);
    for (SCursor& cursor : cursors)
        if (cursor.siblings)
            cursor.siblings->Index(pairing);
    for (;;) {
        for (SCursor& cursor : cursors)
            cursor.SkipWhitespace();
        std::array<int, 3> score{};
        for (std::size_t i = 0; i < 3; ++i)
            score[i] = Distance(rules, cursors[i], cursors[(i + 1) % 3]) +
                       Distance(rules, cursors[i], cursors[(i + 2) % 3]);
        const int picked = PickSide(score);
        const SCursor& pickedCursor = cursors[static_cast<std::size_t>(picked)];
        if (pickedCursor.AtEnd())
            return;
        CDataNode& match = AppendMatchNode(parent, picked, pickedCursor.Node());
        for (const int side : context.order) {
            const SCursor& cursor = cursors[static_cast<std::size_t>(side)];
            if (!cursor.AtEnd() &&
                (side == picked || CursorCorresponds(rules, pairing, pickedCursor, cursor)))
                match.nodes[static_cast<std::size_t>(side)] = cursor.Node();
        }
        for (const int side : context.order)
            if (match.NodeOf(side) != nullptr)
                ++cursors[static_cast<std::size_t>(side)].position;
    }
}

// ---- Joins by identity ----

// The match-tree children that a later side's node may join, by join key:
// those holding a node with that key on an earlier side, in tree order.
class CJoinCandidates {
public:
    static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

    // Indexes the nodes that `matches` hold on the sides before `position`.
    CJoinCandidates(CMatchRules& rules, const SMatchContext& context,
                    const std::vector<CDataNode*>& matches, int position) {
        for (std::size_t index = 0; index < matches.size(); ++index) {
            for (int earlier = 0; earlier < position; ++earlier) {
                const NXML::CNode* node = matches[index]->NodeOf(context.order[earlier]);
                if (node == nullptr)
                    continue;
                std::vector<std::size_t>& list = m_lists[JoinKey(rules, *node)].indexes;
                if (list.empty() || list.back() != index)
                    list.push_back(index);
            }
        }
    }

    // The position of the first match-tree child still free on `side` that
    // `node` joins; kNotFound when none does.
    std::size_t Find(CMatchRules& rules, const SMatchContext& context, int position,
                     const std::vector<CDataNode*>& matches, const NXML::CNode& node,
                     FJoinTest same) {
        const auto found = m_lists.find(JoinKey(rules, node));
        if (found == m_lists.end())
            return kNotFound;
        SList& list = found->second;
        const int side = context.order[position];
        // Entries taken on this side are passed for good; the rest stay for
        // later nodes whose key happens to collide.
        while (list.first < list.indexes.size() &&
               matches[list.indexes[list.first]]->NodeOf(side) != nullptr)
            ++list.first;
        for (std::size_t entry = list.first; entry < list.indexes.size(); ++entry) {
            const std::size_t index = list.indexes[entry];
            const CDataNode& match = *matches[index];
            if (match.NodeOf(side) == nullptr && Joins(rules, context, position, match, node, same))
                return index;
        }
        return kNotFound;
    }

private:
    struct SList {
        std::vector<std::size_t> indexes;
        std::size_t first = 0;
    };

    static bool Joins(CMatchRules& rules, const SMatchContext& context, int position,
                      const CDataNode& match, const NXML::CNode& node, FJoinTest same) {
        for (int earlier = 0; earlier < position; ++earlier) {
            const NXML::CNode* x = match.NodeOf(context.order[earlier]);
            if (x != nullptr && same(rules, *x, node))
                return true;
        }
        return false;
    }

    std::unordered_map<TMatchKey, SList> m_lists;
};

void JoinChildren(CDataNode& parent, const SMatchContext& context, CMatchRules& rules,
                  FJoinTest (*testFor)(const NXML::CNode&)) {
    SUnorderedSiblings siblings;
    std::vector<CDataNode*>& matches = siblings.matches;
    for (int position = 0; position < context.order.Count(); ++position) {
        const int side = context.order[position];
        const NXML::CNode* xml = parent.NodeOf(side);
        if (xml == nullptr)
            continue;
        CJoinCandidates candidates(rules, context, matches, position);
        for (const NXML::CNode* child = xml->FirstChild(); child != nullptr;
             child = child->NextSibling()) {
            const FJoinTest same = testFor(*child);
            if (same == nullptr)
                continue;
            std::size_t index = candidates.Find(rules, context, position, matches, *child, same);
            if (index != CJoinCandidates::kNotFound)
                matches[index]->nodes[static_cast<std::size_t>(side)] = child;
            else {
                index = matches.size();
                matches.push_back(&AppendMatchNode(parent, side, child));
            }
            siblings.sides[static_cast<std::size_t>(side)].push_back(index);
        }
    }
    PlaceUnorderedSiblings(parent, siblings, context.order);
}

void Unordered(CDataNode& parent, const SMatchContext& context, CMatchRules& rules) {
    JoinChildren(parent, context, rules, UnorderedJoinTest);
}

void Declarations(CDataNode& parent, const SMatchContext& context, CMatchRules& rules) {
    JoinChildren(parent, context, rules, DeclarationJoinTest);
}

// ---- Attributes ----

void Attributes(CElementNode& parent, const SMatchContext& context, CMatchRules& rules) {
    // One match-tree node per attribute name: a later attribute of the same
    // name always finds the node the first one made.
    std::unordered_map<std::string_view, CDataNode*> byName;
    for (const int side : context.order) {
        const auto* element = static_cast<const NXML::CElement*>(parent.NodeOf(side));
        if (element == nullptr)
            continue;
        const CElementSpec* rule = rules.FindElementSpec(*element);
        for (const NXML::CAttribute* attribute = element->FirstAttribute(); attribute != nullptr;
             attribute = attribute->NextAttribute()) {
            CDataNode*& match = byName[std::string_view(attribute->name.Text())];
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

const SMatchAlgorithms& IndexedMatchAlgorithms() {
    static const SMatchAlgorithms algorithms{InOrder, Unordered, Declarations, Attributes};
    return algorithms;
}
