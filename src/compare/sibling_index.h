#pragma once

#include "compare/key_ranges.h"
#include "compare/sibling_pairing.h"

#include <cstdint>
#include <utility>
#include <vector>

// The children of one XML node with their correspondence keys, able to say
// where the next child corresponding to a given node stands. Long lists are
// searched through a sorted index, short ones by a walk.
class CSiblingIndex {
public:
    static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

    CSiblingIndex(CMatchRules& rules, const NXML::CNode* parent)
        : m_children(KeyedChildren(rules, parent)) {}

    // The children with the keys of the format specification, which the
    // pairing is built from.
    const SKeyedChildren& Children() const { return m_children; }
    // Makes the index ready for searching: from now on `pairing`, built for
    // the parent of these children, decides between the elements that the
    // format specification cannot tell apart.
    void Index(const CSiblingPairing& pairing);

    std::size_t Size() const { return m_children.nodes.size(); }
    const NXML::CNode* At(std::size_t position) const { return m_children.nodes[position]; }
    TMatchKey KeyAt(std::size_t position) const { return m_children.keys[position]; }

    // The first position at or after `from` whose node corresponds to `node`
    // (whose key is `key`), or kNotFound.
    std::size_t FindCorresponding(CMatchRules& rules, const NXML::CNode& node, TMatchKey key,
                                  std::size_t from) const;

private:
    SKeyedChildren m_children;
    const CSiblingPairing* m_pairing = nullptr;
    // (key, position), sorted; empty for short lists.
    std::vector<std::pair<TMatchKey, std::uint32_t>> m_index;
    // Each key's entries in m_index.
    CKeyRanges m_ranges;
};
