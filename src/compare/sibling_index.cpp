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
    const auto keys = static_cast<std::size_t>(
        1 + std::count_if(m_index.begin() + 1, m_index.end(),
                          [](const CEntry& entry) { return (&entry - 1)->first != entry.first; }));
    std::size_t size = 1;
    while (3 * size < 4 * keys) {
        size *= 2;
        --m_shift;
    }
    m_firstEntries.assign(size, CEntry{0, 0});
    for (std::size_t entry = 0; entry < m_index.size(); ++entry) {
        if (entry > 0 && m_index[entry - 1].first == m_index[entry].first)
            continue;
        std::size_t slot = SlotOf(m_index[entry].first);
        while (m_firstEntries[slot].second != 0)
            slot = (slot + 1) & (size - 1);
        m_firstEntries[slot] = {m_index[entry].first, static_cast<std::uint32_t>(entry + 1)};
    }
}

std::size_t CSiblingIndex::FirstEntryOf(TMatchKey key) const {
    for (std::size_t slot = SlotOf(key);; slot = (slot + 1) & (m_firstEntries.size() - 1)) {
        const CEntry& first = m_firstEntries[slot];
        if (first.second == 0)
            return m_index.size();
        if (first.first == key)
            return first.second - 1;
    }
}

std::size_t CSiblingIndex::FindCorresponding(CMatchRules& rules, const NXML::CNode& node,
                                             TMatchKey key, std::size_t from) const {
    if (m_index.empty()) {
        for (std::size_t position = from; position < Size(); ++position)
            if (KeyAt(position) == key && NodesCorrespond(rules, *m_pairing, node, *At(position)))
                return position;
        return kNotFound;
    }
    // The key's entries from `from` on: galloping from the key's first
    // entry costs a few steps for the usual handful of entries, and no more
    // than a binary search for a key that thousands of children share.
    const CEntry wanted(key, static_cast<std::uint32_t>(from));
    auto begin = m_index.begin() + static_cast<std::ptrdiff_t>(FirstEntryOf(key));
    std::ptrdiff_t step = 1;
    while (m_index.end() - begin > step && begin[step] < wanted) {
        begin += step;
        step *= 2;
    }
    const auto end = begin + std::min(step + 1, m_index.end() - begin);
    auto entry = std::lower_bound(begin, end, wanted);
    for (; entry != m_index.end() && entry->first == key; ++entry)
        if (NodesCorrespond(rules, *m_pairing, node, *At(entry->second)))
            return entry->second;
    return kNotFound;
}
