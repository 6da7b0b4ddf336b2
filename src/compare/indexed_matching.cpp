#include "compare/correspondence.h"
#include "compare/correspondence_key.h"
#include "compare/data_node.h"
#include "compare/join_tests.h"
#include "compare/key_ranges.h"
#include "compare/match_algorithms.h"
#include "compare/match_rules.h"
#include "compare/sibling_index.h"
#include "compare/sibling_pairing.h"
#include "compare/sibling_placement.h"
#include "framework/prefetch.h"
#include "xml/attribute.h"
#include "xml/content.h"
#include "xml/element.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>
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
// those holding a node with that key on an earlier side, in tree order. The
// lists lie end to end in one array and are found through CKeyRanges, so that
// indexing a parent of many children allocates twice rather than once per
// key, and a lookup among a million children costs few cache misses: the
// slot, the list's entries, the child.
class CJoinCandidates {
public:
    static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

    // Adds the match-tree children that were made for the nodes of one side,
    // `keys` and `positions` giving each node's join key and its child's
    // position in `siblings.matches`, in that side's order; children from
    // `firstMade` on were made for this side, the others joined from an
    // earlier one, with the same key. Then indexes them all for the next side.
    void AddSide(const SUnorderedSiblings& siblings, const std::vector<TMatchKey>& keys,
                 const std::vector<std::size_t>& positions, std::size_t firstMade) {
        // Only the children made here are new: the others are listed already.
        m_made.clear();
        for (std::size_t entry = 0; entry < positions.size(); ++entry)
            if (positions[entry] >= firstMade)
                m_made.emplace_back(keys[entry], positions[entry]);
        // Grouped by key, each group in tree order: the children made here
        // come after all those listed before.
        std::ranges::sort(m_made);
        const auto middle = static_cast<std::ptrdiff_t>(m_keyed.size());
        m_keyed.insert(m_keyed.end(), m_made.begin(), m_made.end());
        std::inplace_merge(m_keyed.begin(), m_keyed.begin() + middle, m_keyed.end());
        Index(siblings);
    }

    // The position of the first match-tree child still free on `side` that
    // `node` joins; kNotFound when none does.
    std::size_t Find(CMatchRules& rules, const SMatchContext& context, int position,
                     const NXML::CNode& node, TMatchKey key, FJoinTest same) {
        // Entries from `first` on are open; those before it are passed for good.
        CKeyRanges::SRange* list = m_lists.Find(key);
        if (list == nullptr)
            return kNotFound;
        const int side = context.order[position];
        // Entries taken on this side are passed for good; the rest stay for
        // later nodes whose key happens to collide.
        while (list->first < list->end && m_entries[list->first].match->NodeOf(side) != nullptr)
            ++list->first;
        for (std::uint32_t entry = list->first; entry < list->end; ++entry) {
            const CDataNode& match = *m_entries[entry].match;
            if (match.NodeOf(side) == nullptr && Joins(rules, context, position, match, node, same))
                return m_entries[entry].index;
        }
        return kNotFound;
    }

    // How many lookups ahead Prefetch's stages run: each stage's load must
    // have arrived before the next stage reads it.
    static constexpr std::size_t kSlotAhead = 12;
    static constexpr std::size_t kEntryAhead = 6;
    static constexpr std::size_t kMatchAhead = 3;

    // Start loading what Find waits on for the keys of later lookups: the
    // table slot of the key kSlotAhead on, the first entry of the list of the
    // key kEntryAhead on, and that entry's match-tree child for the key
    // kMatchAhead on. Among a million children each is a cache miss, which
    // Find would take one after the other. Only a key in its home slot is
    // followed.
    void PrefetchSlot(TMatchKey key) const {
        if (const CKeyRanges::SRange* slot = m_lists.HomeSlot(key))
            NSys::Prefetch(slot);
    }
    void PrefetchEntry(TMatchKey key) const {
        if (const SEntry* entry = FirstEntryInHomeSlot(key))
            NSys::Prefetch(entry);
    }
    void PrefetchMatch(TMatchKey key) const {
        if (const SEntry* entry = FirstEntryInHomeSlot(key))
            NSys::Prefetch(entry->match->nodes.data());
    }

private:
    // A match-tree child: its position in SUnorderedSiblings::matches, and itself.
    struct SEntry {
        std::size_t index;
        const CDataNode* match;
    };

    // Lists m_keyed's children in m_entries, each key's in a range of its own.
    void Index(const SUnorderedSiblings& siblings) {
        m_entries.clear();
        m_entries.reserve(m_keyed.size());
        m_ranges.clear();
        for (const auto& [key, index] : m_keyed) {
            const auto next = static_cast<std::uint32_t>(m_entries.size());
            if (m_ranges.empty() || m_ranges.back().key != key)
                m_ranges.push_back({key, next, next});
            m_entries.push_back({index, siblings.matches[index]});
            m_ranges.back().end = next + 1;
        }
        m_lists.Assign(m_ranges);
    }
    const SEntry* FirstEntryInHomeSlot(TMatchKey key) const {
        const CKeyRanges::SRange* list = m_lists.HomeSlot(key);
        return list != nullptr && list->key == key && list->first < list->end
                   ? &m_entries[list->first]
                   : nullptr;
    }

    static bool Joins(CMatchRules& rules, const SMatchContext& context, int position,
                      const CDataNode& match, const NXML::CNode& node, FJoinTest same) {
        for (int earlier = 0; earlier < position; ++earlier) {
            const NXML::CNode* x = match.NodeOf(context.order[earlier]);
            if (x != nullptr && same(rules, *x, node))
                return true;
        }
        return false;
    }

    // Every child listed so far with its key, by key and then tree order.
    std::vector<std::pair<TMatchKey, std::size_t>> m_keyed;
    std::vector<SEntry> m_entries;
    // Each key's list in m_entries.
    CKeyRanges m_lists;
    // Kept from side to side for their memory: the children made for one
    // side, and the key ranges that index m_entries.
    std::vector<std::pair<TMatchKey, std::size_t>> m_made;
    std::vector<CKeyRanges::SRange> m_ranges;
};

void JoinChildren(CDataNode& parent, const SMatchContext& context, CMatchRules& rules,
                  FJoinTest (*testFor)(const NXML::CNode&)) {
    SUnorderedSiblings siblings;
    std::vector<CDataNode*>& matches = siblings.matches;
    CJoinCandidates candidates;
    // Shared by the sides, so that a later side reuses the memory an earlier
    // one grew: among a million children, fresh memory is a cost of its own.
    std::vector<TMatchKey> keys;
    std::vector<std::pair<const NXML::CNode*, FJoinTest>> joining;
    for (int position = 0; position < context.order.Count(); ++position) {
        const int side = context.order[position];
        const NXML::CNode* xml = parent.NodeOf(side);
        if (xml == nullptr)
            continue;
        // The keys first, so that the lookups can load ahead of themselves.
        keys.clear();
        joining.clear();
        for (const NXML::CNode* child = xml->FirstChild(); child != nullptr;
             child = child->NextSibling()) {
            if (const FJoinTest same = testFor(*child)) {
                joining.emplace_back(child, same);
                keys.push_back(JoinKey(rules, *child));
            }
        }
        const std::size_t firstMade = matches.size();
        matches.reserve(firstMade + joining.size());
        std::vector<std::size_t>& positions = siblings.sides[static_cast<std::size_t>(side)];
        positions.reserve(joining.size());
        for (std::size_t entry = 0; entry < joining.size(); ++entry) {
            if (entry + CJoinCandidates::kSlotAhead < joining.size())
                candidates.PrefetchSlot(keys[entry + CJoinCandidates::kSlotAhead]);
            if (entry + CJoinCandidates::kEntryAhead < joining.size())
                candidates.PrefetchEntry(keys[entry + CJoinCandidates::kEntryAhead]);
            if (entry + CJoinCandidates::kMatchAhead < joining.size())
                candidates.PrefetchMatch(keys[entry + CJoinCandidates::kMatchAhead]);
            const auto [child, same] = joining[entry];
            std::size_t index =
                candidates.Find(rules, context, position, *child, keys[entry], same);
            if (index != CJoinCandidates::kNotFound)
                matches[index]->nodes[static_cast<std::size_t>(side)] = child;
            else {
                index = matches.size();
                matches.push_back(&AppendMatchNode(parent, side, child));
            }
            positions.push_back(index);
        }
        // Each key, worked out once for its own side's joins, indexes that
        // side's children for the later sides.
        if (position + 1 < context.order.Count())
            candidates.AddSide(siblings, keys, positions, firstMade);
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

// The match-tree node of each attribute name met so far. Nearly every element
// has a handful of attributes, which a scan finds faster than hashing, and
// without allocating; past that a hash map takes over, so that an element
// with a million attributes is still matched in linear time.
class CAttributeNodesByName {
public:
    // The slot of `name`, null when the name is new.
    CDataNode*& operator[](const char* name) {
        if (m_scanned > kMostScanned)
            return m_hashed[name];
        for (std::size_t index = 0; index < m_scanned; ++index)
            if (std::strcmp(m_names[index], name) == 0)
                return m_nodes[index];
        if (m_scanned == kMostScanned) {
            for (std::size_t index = 0; index < m_scanned; ++index)
                m_hashed.emplace(m_names[index], m_nodes[index]);
            ++m_scanned;
            return m_hashed[name];
        }
        m_names[m_scanned] = name;
        m_nodes[m_scanned] = nullptr;
        return m_nodes[m_scanned++];
    }

private:
    static constexpr std::size_t kMostScanned = 16;

    // Past kMostScanned the names live in m_hashed only.
    std::size_t m_scanned = 0;
    std::array<const char*, kMostScanned> m_names;
    std::array<CDataNode*, kMostScanned> m_nodes;
    std::unordered_map<std::string_view, CDataNode*> m_hashed;
};

void Attributes(CElementNode& parent, const SMatchContext& context, CMatchRules& rules) {
    // One match-tree node per attribute name: a later attribute of the same
    // name always finds the node the first one made.
    CAttributeNodesByName byName;
    for (const int side : context.order) {
        const auto* element = static_cast<const NXML::CElement*>(parent.NodeOf(side));
        if (element == nullptr)
            continue;
        const CElementSpec* rule = rules.FindElementSpec(*element);
        for (const NXML::CAttribute* attribute = element->FirstAttribute(); attribute != nullptr;
             attribute = attribute->NextAttribute()) {
            CDataNode*& match = byName[attribute->name.Text()];
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
    static const SMatchAlgorithms algorithms{InOrder, Unordered, Declarations, Attributes, true};
    return algorithms;
}
