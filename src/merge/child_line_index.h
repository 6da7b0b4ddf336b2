#pragma once

#include "merge/display_line.h"

#include <cstdint>
#include <memory>
#include <vector>

class CBlockBase;

// Where each child of a block starts when the block's lines are numbered, so
// that the one child that can hold a line is found by a binary search rather
// than a walk along the siblings. Only blocks with many children keep one.
class CChildLineIndex {
public:
    // Below this many children a walk costs no more than a search.
    static constexpr std::uint32_t kMinimumChildren = 16;

    // Drops the index: it no longer matches the children.
    void Clear() { m_entries.reset(); }
    // Starts an index for `childCount` children, or none for few children.
    void Begin(std::uint32_t childCount);
    // The next child in order, whose lines are numbered from `first` on.
    void Add(TLine first, CBlockBase* child);
    bool IsBuilt() const { return m_entries != nullptr; }

    // The last child that starts at or before `n`: the only one whose lines
    // can hold `n`. Null before the first child's start.
    CBlockBase* ChildFor(TLine n) const;

private:
    struct SEntry {
        TLine first;
        CBlockBase* child;
    };

    // Null while there is no index; held apart so that the many blocks with
    // few children pay one pointer.
    std::unique_ptr<std::vector<SEntry>> m_entries;
};
