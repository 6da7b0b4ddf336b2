#include "merge/child_line_index.h"

#include <algorithm>

void CChildLineIndex::Begin(std::uint32_t childCount) {
    if (childCount < kMinimumChildren) {
        Clear();
        return;
    }
    if (m_entries == nullptr)
        m_entries = std::make_unique<std::vector<SEntry>>();
    m_entries->clear();
    m_entries->reserve(childCount);
}

void CChildLineIndex::Add(TLine first, CBlockBase* child) {
    if (m_entries != nullptr)
        m_entries->push_back({first, child});
}

CBlockBase* CChildLineIndex::ChildFor(TLine n) const {
    // Children with no lines start where the next one does; taking the last
    // of equal starts skips them.
    const auto after = std::upper_bound(m_entries->begin(), m_entries->end(), n,
                                        [](TLine line, const SEntry& entry) { return line < entry.first; });
    return after == m_entries->begin() ? nullptr : std::prev(after)->child;
}
