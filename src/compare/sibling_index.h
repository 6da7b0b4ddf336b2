#pragma once

#include "compare/correspondence_key.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace NXML {
class CNode;
}

class CSiblingPairing;

// The children of one XML node with their correspondence keys, able to say
// where the next child corresponding to a given node stands. Long lists are
// searched through a sorted index, short ones by a walk.
class CSiblingIndex {
public:
    static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

    // `pairing`, built for the parent of these children, decides between
    // elements that the format specification cannot tell apart.
    CSiblingIndex(CMatchRules& rules, const CSiblingPairing& pairing, const NXML::CNode* parent);

    std::size_t Size() const { return m_nodes.size(); }
    const NXML::CNode* At(std::size_t position) const { return m_nodes[position]; }
    TMatchKey KeyAt(std::size_t position) const { return m_keys[position]; }

    // The first position at or after `from` whose node corresponds to `node`
    // (whose key is `key`), or kNotFound.
    std::size_t FindCorresponding(CMatchRules& rules, const NXML::CNode& node, TMatchKey key,
                                  std::size_t from) const;

private:
    const CSiblingPairing& m_pairing;
    std::vector<const NXML::CNode*> m_nodes;
    std::vector<TMatchKey> m_keys;
    // (key, position), sorted; empty for short lists.
    std::vector<std::pair<TMatchKey, std::uint32_t>> m_index;
};
