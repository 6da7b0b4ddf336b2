#pragma once

#include "compare/match_context.h"
#include "framework/array.h"
#include "merge/block_selector.h"
#include "merge/colours.h"
#include "merge/root_block.h"

#include <cstdint>

// The block tree of one operation with its differences: every selector of
// the tree in document order, and which of them is current. It keeps the
// context it was built with (the sides in use, merge or compare, the format
// specification). Models are independent of each other.
class CMergeModel {
public:
    CMergeModel() = default;
    CMergeModel(const CMergeModel&) = delete;
    CMergeModel& operator=(const CMergeModel&) = delete;

    // Empties the model for a new build with `context`: no blocks, no
    // differences, no current difference.
    void Reset(const SMatchContext& context);

    CRootBlock& Root() { return m_root; }
    const CRootBlock& Root() const { return m_root; }
    const SMatchContext& Context() const { return m_context; }
    // The specification the model names paths by, when the one it was built
    // with has been replaced by a copy.
    void UseSpec(const CFileSpec* spec) { m_context.spec = spec; }
    bool IsMerge() const { return m_context.merge; }
    const NPtr::TArray<CBlockSelector>& Differences() const { return m_differences; }

    std::uint32_t DifferenceCount() const { return m_differences.Count(); }
    // Differences without a resolution.
    std::uint32_t ConflictCount() const;
    // The position of `selector` in the difference list; DifferenceCount when absent.
    std::uint32_t IndexOf(const CBlockSelector* selector) const;

    // -1 when there is no current difference.
    int CurrentIndex() const { return m_current; }
    CBlockSelector* CurrentDifference() const;
    bool IsCurrent(const CBlockSelector* selector) const;
    // Makes `selector` current, has the view repaint it and the panes
    // refresh; false when it was current already or is not a difference.
    bool SetCurrent(CBlockSelector* selector);
    // No difference is current any more; the view repaints the former one.
    void ClearCurrent();

    // Stepping through every difference, or with `conflicts` through the
    // unresolved ones of a merge. The Go functions answer whether they moved.
    bool CanGoPrevious(bool conflicts) const;
    bool CanGoNext(bool conflicts) const;
    bool GoPrevious(bool conflicts);
    bool GoNext(bool conflicts);

    // Lists the selectors of the tree anew; the current difference stays
    // current at its new index, or none is current when it is gone.
    void CollectSelectors();
    // Numbers every display line anew.
    void NumberAll() { m_root.NumberAll(); }
    std::uint32_t LineCount() const { return m_root.LineCount(); }

    // Resolves `selector` to the alternative of `side`.
    void Resolve(CBlockSelector& selector, int side) const {
        selector.Resolve(side, m_context.order);
    }

    // The background of a difference's lines, alternating by its index; an
    // unresolved difference of a merge is tinted.
    COLORREF SelectorBackground(const CBlockSelector& selector) const;
    // The background of display line `line` of an alternative of `selector`:
    // by the alternative's side, stronger when that side is the chosen one;
    // 0 when no alternative holds the line.
    COLORREF AlternativeLineBackground(const CBlockSelector& selector, TLine line) const;

private:
    // The index of the nearest conflict from `start` on, stepping by `step`; -1 for none.
    int FindConflict(int start, int step) const;
    // Makes the difference at `index` current when there is one there.
    bool GoTo(int index);

    SMatchContext m_context;
    CRootBlock m_root;
    NPtr::TArray<CBlockSelector> m_differences;
    int m_current = -1;
};
