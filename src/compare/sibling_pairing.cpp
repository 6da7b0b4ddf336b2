#include "compare/sibling_pairing.h"

#include "compare/correspondence.h"
#include "compare/match_context.h"
#include "compare/match_rules.h"
#include "formats/element_spec.h"
#include "framework/string_functions.h"
#include "xml/attribute.h"
#include "xml/element.h"
#include "xml/subtree_hash.h"

#include <algorithm>
#include <array>
#include <map>

namespace {

// Gaps with at most this many candidate pairs are paired for the best total
// similarity; longer ones in order, each element with the next one that
// corresponds, so that a huge list stays linear.
constexpr std::size_t kLargestScoredGap = 4096;
// Similarity looks at this many child elements of each.
constexpr int kComparedChildren = 8;

bool HasAttribute(const NXML::CElement& element, const NXML::CAttribute& attribute) {
    for (const NXML::CAttribute* other = element.FirstAttribute(); other != nullptr;
         other = other->NextAttribute())
        if (NString::Compare(other->name.Text(), attribute.name.Text()) == 0)
            return NString::Compare(other->text.Text(), attribute.text.Text()) == 0;
    return false;
}

// Whether one of the first child elements of `element` equals `child`.
bool HasEqualChild(const NXML::CElement& element, const NXML::CNode& child) {
    int compared = 0;
    for (const NXML::CElement* other = element.FirstChildElement();
         other != nullptr && compared < kComparedChildren;
         other = other->NextSiblingElement(), ++compared)
        if (NXML::IsSubtreeEqual(*other, child))
            return true;
    return false;
}

// How alike two corresponding nodes are: 1 for corresponding at all, 2 for
// each attribute with the same value on both, 2 for the same text, 1 for each
// of the first child elements with an equal one among the other's.
int Similarity(const NXML::CNode& nodeA, const NXML::CNode& nodeB) {
    if (nodeA.GetType() == NXML::kTypeComment)
        return NString::Compare(nodeA.text.Text(), nodeB.text.Text()) == 0 ? 3 : 1;
    const auto& a = static_cast<const NXML::CElement&>(nodeA);
    const auto& b = static_cast<const NXML::CElement&>(nodeB);
    int score = 1;
    for (const NXML::CAttribute* attribute = a.FirstAttribute(); attribute != nullptr;
         attribute = attribute->NextAttribute())
        if (HasAttribute(b, *attribute))
            score += 2;
    const NString::TStr<char> text = IdentifyingContent(a);
    if (text.Text()[0] != '\0' && NString::Compare(text.Text(), IdentifyingContent(b).Text()) == 0)
        score += 2;
    int compared = 0;
    for (const NXML::CElement* child = a.FirstChildElement();
         child != nullptr && compared < kComparedChildren;
         child = child->NextSiblingElement(), ++compared)
        if (HasEqualChild(b, *child))
            score += 1;
    return score;
}

// A stretch of two lists between anchors: [a, aEnd) against [b, bEnd).
struct SGap {
    std::size_t a, aEnd, b, bEnd;
};

// The order-preserving pairs of corresponding nodes with the best total
// similarity; on equal totals an element pairs with the earliest candidate.
void PairBySimilarity(CMatchRules& rules, const SKeyedChildren& a, const SKeyedChildren& b,
                      const SGap& gap, CIndexPairs& pairs) {
    const std::size_t rows = gap.aEnd - gap.a;
    const std::size_t columns = gap.bEnd - gap.b;
    std::vector<int> similarity(rows * columns, 0);
    for (std::size_t i = 0; i < rows; ++i)
        for (std::size_t j = 0; j < columns; ++j)
            if (a.keys[gap.a + i] == b.keys[gap.b + j] &&
                NodesCorrespond(rules, *a.nodes[gap.a + i], *b.nodes[gap.b + j]))
                similarity[i * columns + j] = Similarity(*a.nodes[gap.a + i], *b.nodes[gap.b + j]);
    // best[i][j]: the best total of the gap's rest from (i, j) on.
    std::vector<int> best((rows + 1) * (columns + 1), 0);
    const auto at = [&](std::size_t i, std::size_t j) -> int& {
        return best[i * (columns + 1) + j];
    };
    for (std::size_t i = rows; i-- > 0;)
        for (std::size_t j = columns; j-- > 0;) {
            const int pair = similarity[i * columns + j];
            at(i, j) =
                std::max({at(i + 1, j), at(i, j + 1), pair > 0 ? pair + at(i + 1, j + 1) : 0});
        }
    for (std::size_t i = 0, j = 0; i < rows && j < columns;) {
        const int pair = similarity[i * columns + j];
        if (pair > 0 && pair + at(i + 1, j + 1) == at(i, j)) {
            pairs.emplace_back(gap.a + i, gap.b + j);
            ++i, ++j;
        } else if (at(i + 1, j) == at(i, j)) {
            ++i;
        } else {
            ++j;
        }
    }
}

// Each element of `a` in order with the next corresponding one of `b`.
void PairInOrder(CMatchRules& rules, const SKeyedChildren& a, const SKeyedChildren& b,
                 const SGap& gap, CIndexPairs& pairs) {
    struct SPositions {
        std::vector<std::size_t> list;
        std::size_t first = 0;
    };
    std::unordered_map<TMatchKey, SPositions> byKey;
    for (std::size_t j = gap.b; j < gap.bEnd; ++j)
        byKey[b.keys[j]].list.push_back(j);
    std::size_t next = gap.b;
    for (std::size_t i = gap.a; i < gap.aEnd; ++i) {
        const auto found = byKey.find(a.keys[i]);
        if (found == byKey.end())
            continue;
        SPositions& positions = found->second;
        while (positions.first < positions.list.size() && positions.list[positions.first] < next)
            ++positions.first;
        for (std::size_t entry = positions.first; entry < positions.list.size(); ++entry) {
            const std::size_t j = positions.list[entry];
            if (NodesCorrespond(rules, *a.nodes[i], *b.nodes[j])) {
                pairs.emplace_back(i, j);
                next = j + 1;
                positions.first = entry + 1;
                break;
            }
        }
    }
}

void PairGap(CMatchRules& rules, const SKeyedChildren& a, const SKeyedChildren& b, const SGap& gap,
             CIndexPairs& pairs) {
    if (gap.a == gap.aEnd || gap.b == gap.bEnd)
        return;
    if ((gap.aEnd - gap.a) * (gap.bEnd - gap.b) <= kLargestScoredGap)
        PairBySimilarity(rules, a, b, gap, pairs);
    else
        PairInOrder(rules, a, b, gap, pairs);
}

// The anchors of `a` and `b`, and between them the pairs of each gap.
CIndexPairs Align(CMatchRules& rules, const SKeyedChildren& a, const SKeyedChildren& b,
                  FAnchorChain anchors) {
    CIndexPairs pairs;
    SGap gap{0, 0, 0, 0};
    for (const auto& [i, j] : anchors(a.nodes, b.nodes)) {
        gap.aEnd = i;
        gap.bEnd = j;
        PairGap(rules, a, b, gap, pairs);
        pairs.emplace_back(i, j);
        gap = {i + 1, 0, j + 1, 0};
    }
    gap.aEnd = a.nodes.size();
    gap.bEnd = b.nodes.size();
    PairGap(rules, a, b, gap, pairs);
    return pairs;
}

// The nodes of `list` that `pairs` (second positions in `list`) leave
// out, grouped by the first position of the pair before them (-1: none).
std::map<long, SKeyedChildren> UnpairedByPlace(const SKeyedChildren& list,
                                               const CIndexPairs& pairs) {
    std::map<long, SKeyedChildren> unpaired;
    long place = -1;
    auto pair = pairs.begin();
    for (std::size_t j = 0; j < list.nodes.size(); ++j) {
        if (pair != pairs.end() && pair->second == j) {
            place = static_cast<long>(pair->first);
            ++pair;
            continue;
        }
        unpaired[place].Add(list.nodes[j], list.keys[j]);
    }
    return unpaired;
}

// Elements, and comments, which correspond by their kind alone. Character
// data is left to its position: text beside elements is mixed content,
// where one element's texts are many and rarely edited apart.
bool IsAligned(const NXML::CNode& node) {
    return node.GetType() == NXML::kTypeElement || node.GetType() == NXML::kTypeComment;
}

// Whether nothing but its name identifies `node`: a comment, or an element
// whose rule identifies it by name alone.
bool HasNoIdentity(CMatchRules& rules, const NXML::CNode& node) {
    if (node.GetType() != NXML::kTypeElement)
        return true;
    const CElementSpec* rule = rules.FindElementSpec(static_cast<const NXML::CElement&>(node));
    return rule == nullptr || rule->FirstRule() == nullptr;
}

std::size_t CountAligned(const SKeyedChildren* side) {
    return side == nullptr ? 0
                           : static_cast<std::size_t>(std::count_if(
                                 side->nodes.begin(), side->nodes.end(),
                                 [](const NXML::CNode* node) { return IsAligned(*node); }));
}

// The sorted keys of the aligned children of `side` (null: none); with
// `withoutIdentity`, of those that HasNoIdentity only.
void SortedKeys(CMatchRules& rules, const SKeyedChildren* side, bool withoutIdentity,
                std::vector<TMatchKey>& keys) {
    keys.clear();
    for (std::size_t at = 0; side != nullptr && at < side->nodes.size(); ++at)
        if (IsAligned(*side->nodes[at]) &&
            (!withoutIdentity || HasNoIdentity(rules, *side->nodes[at])))
            keys.push_back(side->keys[at]);
    std::sort(keys.begin(), keys.end());
}

// Whether the sides that have a node hold aligned children with the same keys
// in the same order, where position pairs them as well as anything can.
bool SameAlignedKeys(const std::array<const SKeyedChildren*, 3>& children) {
    const SKeyedChildren* first = nullptr;
    for (const SKeyedChildren* side : children) {
        if (side == nullptr)
            continue;
        if (first == nullptr) {
            first = side;
            continue;
        }
        std::size_t a = 0;
        std::size_t b = 0;
        for (;;) {
            while (a < first->nodes.size() && !IsAligned(*first->nodes[a]))
                ++a;
            while (b < side->nodes.size() && !IsAligned(*side->nodes[b]))
                ++b;
            if (a == first->nodes.size() || b == side->nodes.size()) {
                if (a != first->nodes.size() || b != side->nodes.size())
                    return false;
                break;
            }
            if (first->keys[a++] != side->keys[b++])
                return false;
        }
    }
    return true;
}

// The keys that nothing but their position tells apart: those that a side
// holds more than once; those without identity when the sides hold their
// children in different orders (the ordered matching would otherwise pair
// an element with its namesake wherever it stands, across unchanged
// siblings); and in a three-way operation those without identity that both
// left and right hold and the base does not (inserted on both sides,
// perhaps at different places). Sorted vectors rather than hash sets: this
// runs for every parent, most of them small.
std::vector<TMatchKey> AmbiguousKeys(const std::array<const SKeyedChildren*, 3>& children,
                                     const SMatchContext& context, CMatchRules& rules) {
    std::vector<TMatchKey> shared;
    std::vector<TMatchKey> keys;
    for (const SKeyedChildren* side : children) {
        // Most parents hold at most one element: nothing to sort then.
        if (CountAligned(side) < 2)
            continue;
        SortedKeys(rules, side, false, keys);
        for (std::size_t at = 1; at < keys.size(); ++at)
            if (keys[at] == keys[at - 1])
                shared.push_back(keys[at]);
    }
    if (!SameAlignedKeys(children))
        for (const SKeyedChildren* side : children) {
            SortedKeys(rules, side, true, keys);
            shared.insert(shared.end(), keys.begin(), keys.end());
        }
    const SKeyedChildren* left = children[kSideLeft];
    const SKeyedChildren* right = children[kSideRight];
    if (context.order.IsThreeWay()) {
        std::vector<TMatchKey> rightKeys;
        SortedKeys(rules, left, true, keys);
        SortedKeys(rules, right, true, rightKeys);
        std::erase_if(keys, [&](TMatchKey key) {
            return !std::binary_search(rightKeys.begin(), rightKeys.end(), key);
        });
        // Usually nothing is left: spare sorting the base then.
        if (!keys.empty()) {
            std::vector<TMatchKey> baseKeys;
            SortedKeys(rules, children[kSideBase], false, baseKeys);
            for (const TMatchKey key : keys)
                if (!std::binary_search(baseKeys.begin(), baseKeys.end(), key))
                    shared.push_back(key);
        }
    }
    std::sort(shared.begin(), shared.end());
    shared.erase(std::unique(shared.begin(), shared.end()), shared.end());
    return shared;
}

// The children of the sides whose keys are AmbiguousKeys.
std::array<SKeyedChildren, 3> Ambiguous(const std::array<const SKeyedChildren*, 3>& children,
                                        const SMatchContext& context, CMatchRules& rules) {
    const std::vector<TMatchKey> shared = AmbiguousKeys(children, context, rules);
    std::array<SKeyedChildren, 3> ambiguous;
    for (std::size_t side = 0; side < 3 && !shared.empty(); ++side) {
        const SKeyedChildren* list = children[side];
        for (std::size_t at = 0; list != nullptr && at < list->nodes.size(); ++at)
            if (IsAligned(*list->nodes[at]) &&
                std::binary_search(shared.begin(), shared.end(), list->keys[at]))
                ambiguous[side].Add(list->nodes[at], list->keys[at]);
    }
    return ambiguous;
}

} // namespace

SKeyedChildren KeyedChildren(CMatchRules& rules, const NXML::CNode* parent) {
    SKeyedChildren children;
    for (const NXML::CNode* child = parent != nullptr ? parent->FirstChild() : nullptr;
         child != nullptr; child = child->NextSibling())
        children.Add(child, CorrespondenceKey(rules, *child));
    return children;
}

CSiblingPairing::CSiblingPairing(const std::array<const SKeyedChildren*, 3>& children,
                                 const SMatchContext& context, CMatchRules& rules,
                                 FAnchorChain anchors) {
    const std::array<SKeyedChildren, 3> lists = Ambiguous(children, context, rules);
    const SKeyedChildren& base = lists[kSideBase];
    const SKeyedChildren& left = lists[kSideLeft];
    const SKeyedChildren& right = lists[kSideRight];
    if (base.nodes.empty() && left.nodes.empty() && right.nodes.empty())
        return;
    if (!context.order.IsThreeWay()) {
        JoinGroups(left.nodes, right.nodes, Align(rules, left, right, anchors));
    } else {
        const CIndexPairs leftPairs = Align(rules, base, left, anchors);
        const CIndexPairs rightPairs = Align(rules, base, right, anchors);
        JoinGroups(base.nodes, left.nodes, leftPairs);
        JoinGroups(base.nodes, right.nodes, rightPairs);
        // What both sides inserted after the same base element may be one.
        const std::map<long, SKeyedChildren> rightInserted = UnpairedByPlace(right, rightPairs);
        for (const auto& [place, leftInserted] : UnpairedByPlace(left, leftPairs)) {
            const auto found = rightInserted.find(place);
            if (found != rightInserted.end())
                JoinGroups(leftInserted.nodes, found->second.nodes,
                           Align(rules, leftInserted, found->second, anchors));
        }
    }
    for (const SKeyedChildren& list : lists)
        for (const NXML::CNode* node : list.nodes)
            if (!m_group.contains(node))
                m_group[node] = NewGroup();
}

void CSiblingPairing::JoinGroups(const CNodeList& a, const CNodeList& b, const CIndexPairs& pairs) {
    for (const auto& [i, j] : pairs) {
        const auto found = m_group.find(a[i]);
        const std::uint32_t group =
            found != m_group.end() ? found->second : (m_group[a[i]] = NewGroup());
        m_group[b[j]] = group;
    }
}

std::uint32_t CSiblingPairing::GroupOf(const NXML::CNode& node) const {
    if (m_group.empty())
        return 0;
    const auto group = m_group.find(&node);
    return group == m_group.end() ? 0 : group->second;
}

bool CSiblingPairing::Allows(const NXML::CNode& a, const NXML::CNode& b) const {
    return GroupOf(a) == GroupOf(b);
}

TMatchKey CSiblingPairing::PairedKey(const NXML::CNode& node, TMatchKey key) const {
    return key ^ (GroupOf(node) * 0x9E3779B97F4A7C15ull);
}
