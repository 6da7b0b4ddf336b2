#include "compare/key_ranges.h"

#include <utility>

void CKeyRanges::Assign(const std::vector<SRange>& ranges) {
    m_table.clear();
    if (ranges.empty())
        return;
    std::size_t size = 2;
    m_shift = 63;
    while (3 * size < 4 * ranges.size()) {
        size *= 2;
        --m_shift;
    }
    m_table.assign(size, SRange{});
    for (const SRange& range : ranges) {
        std::size_t slot = SlotOf(range.key);
        while (m_table[slot].end != 0)
            slot = (slot + 1) & (size - 1);
        m_table[slot] = range;
    }
}

const CKeyRanges::SRange* CKeyRanges::Find(TMatchKey key) const {
    if (m_table.empty())
        return nullptr;
    for (std::size_t slot = SlotOf(key);; slot = (slot + 1) & (m_table.size() - 1)) {
        const SRange& range = m_table[slot];
        if (range.end == 0)
            return nullptr;
        if (range.key == key)
            return &range;
    }
}

CKeyRanges::SRange* CKeyRanges::Find(TMatchKey key) {
    return const_cast<SRange*>(std::as_const(*this).Find(key));
}
