#include "merge/merge_model.h"

#include "merge/view_notifications.h"

namespace {

struct SSideColours {
    COLORREF chosen;
    COLORREF other;
};

// By side index: base, left, right.
constexpr SSideColours kAlternativeColours[3] = {
    {0x8BEFF8, 0xF1FDFE},
    {0xE3C29B, 0xFCF8F3},
    {0x6DD17C, 0xF0FBF2},
};

constexpr COLORREF kResolvedEven = 0xE8E8E8;
constexpr COLORREF kResolvedOdd = 0xF0F0F0;
constexpr COLORREF kConflictEven = 0xE0E0FF;
constexpr COLORREF kConflictOdd = 0xF0F0FF;

} // namespace

void CMergeModel::Reset(const SMatchContext& context) {
    m_context = context;
    m_current = -1;
    m_differences.Clear(false);
    m_root.DeleteChildren();
    m_root.trailingText.Clear(true);
    m_root.lines.clear();
    m_root.width = -1;
}

std::uint32_t CMergeModel::ConflictCount() const {
    std::uint32_t conflicts = 0;
    for (const CBlockSelector* selector : m_differences) {
        if (!selector->IsResolved())
            ++conflicts;
    }
    return conflicts;
}

std::uint32_t CMergeModel::IndexOf(const CBlockSelector* selector) const {
    const int index = m_differences.IndexOf(selector);
    return index < 0 ? m_differences.Count() : static_cast<std::uint32_t>(index);
}

CBlockSelector* CMergeModel::CurrentDifference() const {
    if (m_current < 0 || static_cast<std::uint32_t>(m_current) >= m_differences.Count())
        return nullptr;
    return m_differences[static_cast<std::uint32_t>(m_current)];
}

bool CMergeModel::IsCurrent(const CBlockSelector* selector) const {
    return selector != nullptr && CurrentDifference() == selector;
}

bool CMergeModel::SetCurrent(CBlockSelector* selector) {
    const std::uint32_t index = IndexOf(selector);
    if (IsCurrent(selector) || index == m_differences.Count())
        return false;
    ClearCurrent();
    m_current = static_cast<int>(index);
    CurrentViewNotifications().RepaintSelector(*selector);
    CurrentViewNotifications().RefreshPanes();
    return true;
}

void CMergeModel::ClearCurrent() {
    const CBlockSelector* former = CurrentDifference();
    m_current = -1;
    if (former != nullptr)
        CurrentViewNotifications().RepaintSelector(*former);
}

int CMergeModel::FindConflict(int start, int step) const {
    for (int index = start; index >= 0 && static_cast<std::uint32_t>(index) < DifferenceCount();
         index += step) {
        if (!m_differences[static_cast<std::uint32_t>(index)]->IsResolved())
            return index;
    }
    return -1;
}

bool CMergeModel::CanGoPrevious(bool conflicts) const {
    if (conflicts)
        return IsMerge() && FindConflict(m_current - 1, -1) >= 0;
    return m_current >= 1;
}

bool CMergeModel::CanGoNext(bool conflicts) const {
    if (conflicts)
        return IsMerge() && FindConflict(m_current + 1, 1) >= 0;
    return m_current + 1 < static_cast<int>(DifferenceCount());
}

bool CMergeModel::GoTo(int index) {
    return index >= 0 && SetCurrent(m_differences[static_cast<std::uint32_t>(index)]);
}

bool CMergeModel::GoPrevious(bool conflicts) {
    if (!CanGoPrevious(conflicts))
        return false;
    return GoTo(conflicts ? FindConflict(m_current - 1, -1) : m_current - 1);
}

bool CMergeModel::GoNext(bool conflicts) {
    if (!CanGoNext(conflicts))
        return false;
    return GoTo(conflicts ? FindConflict(m_current + 1, 1) : m_current + 1);
}

void CMergeModel::CollectSelectors() {
    const CBlockSelector* current = CurrentDifference();
    m_current = -1;
    m_differences.Clear(false);
    m_root.CollectSelectors(m_differences);
    // A current difference that left the tree leaves none current.
    if (current != nullptr && IndexOf(current) < m_differences.Count())
        m_current = static_cast<int>(IndexOf(current));
}

COLORREF CMergeModel::SelectorBackground(const CBlockSelector& selector) const {
    const bool even = IndexOf(&selector) % 2 == 0;
    if (IsMerge() && !selector.IsResolved())
        return even ? kConflictEven : kConflictOdd;
    return even ? kResolvedEven : kResolvedOdd;
}

COLORREF CMergeModel::AlternativeLineBackground(const CBlockSelector& selector, TLine line) const {
    const CBlockBase* block = selector.FindLine(line);
    if (block == nullptr || block->side < kSideBase || block->side > kSideRight)
        return 0;
    const int chosenSide = selector.IsResolved() ? m_context.order[selector.resolution] : kSideNone;
    const SSideColours& colours = kAlternativeColours[block->side];
    return block->side == chosenSide ? colours.chosen : colours.other;
}
