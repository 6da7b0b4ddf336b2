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
    std::vector<CKeyRanges::SRange> ranges;
    for (std::size_t entry = 0; entry < m_index.size(); ++entry) {
        if (entry == 0 || m_index[entry - 1].first != m_index[entry].first)
            ranges.push_back({m_index[entry].first, static_cast<std::uint32_t>(entry), 0});
        ranges.back().end = static_cast<std::uint32_t>(entry + 1);
    }
    m_ranges.Assign(ranges);
}

std::size_t CSiblingIndex::FindCorresponding(CMatchRules& rules, const NXML::CNode& node,
                                             TMatchKey key, std::size_t from) const {
    const auto correspondsAt = [&](std::size_t position) {
        return KeyAt(position) == key && NodesCorrespond(rules, *m_pairing, node, *At(position));
    };
    // Where the sides kept their order the node at `from` is the one: that
    // spares the lookup, which among many siblings misses the cache.
    if (from < Size() && correspondsAt(from))
        return from;
    if (m_index.empty()) {
        for (std::size_t position = from; position < Size(); ++position)
            if (correspondsAt(position))
                return position;
        return kNotFound;
    }
    const CKeyRanges::SRange* range = m_ranges.Find(key);
    if (range == nullptr)
        return kNotFound;
    const auto end = m_index.begin() + range->end;
    auto entry = std::lower_bound(m_index.begin() + range->first, end,
                                  std::make_pair(key, static_cast<std::uint32_t>(from)));
    for (; entry != end; ++entry)
        if (NodesCorrespond(rules, *m_pairing, node, *At(entry->second)))
            return entry->second;
    return kNotFound;
}
