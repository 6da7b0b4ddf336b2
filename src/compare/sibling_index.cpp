#include "compare/sibling_index.h"

#include "compare/correspondence.h"
#include "compare/sibling_pairing.h"
#include "xml/node.h"

#include <algorithm>

namespace {

// Below this many children a walk is cheaper than keeping an index.
constexpr std::size_t kShortestIndexedList = 32;

} // namespace

void CSiblingIndex::Index(const CSiblingPairing& pairing) {
    m_pairing = &pairing;
    for (std::size_t position = 0; position < Size(); ++position)
        m_children.keys[position] = pairing.PairedKey(*At(position), m_children.keys[position]);
    if (Size() < kShortestIndexedList)
        return;
    m_index.reserve(Size());
    for (std::size_t position = 0; position < Size(); ++position)
        m_index.emplace_back(m_children.keys[position], static_cast<std::uint32_t>(position));
    std::sort(m_index.begin(), m_index.end());
}

std::size_t CSiblingIndex::FindCorresponding(CMatchRules& rules, const NXML::CNode& node,
                                             TMatchKey key, std::size_t from) const {
    if (m_index.empty()) {
        for (std::size_t position = from; position < Size(); ++position)
            if (KeyAt(position) == key && NodesCorrespond(rules, *m_pairing, node, *At(position)))
                return position;
        return kNotFound;
    }
    auto entry = std::lower_bound(m_index.begin(), m_index.end(),
                                  std::make_pair(key, static_cast<std::uint32_t>(from)));
    for (; entry != m_index.end() && entry->first == key; ++entry)
        if (NodesCorrespond(rules, *m_pairing, node, *At(entry->second)))
            return entry->second;
    return kNotFound;
}
