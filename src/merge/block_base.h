#pragma once

#include "compare/side_order.h"
#include "framework/array.h"
#include "framework/flag_word.h"
#include "framework/inline_array.h"
#include "framework/node.h"
#include "framework/str.h"
#include "merge/child_line_index.h"
#include "merge/colours.h"
#include "merge/display_line.h"
#include "merge/text_point.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace NIO {
class CBase;
}

class CBlockSelector;
class CFileSpec;
class CUndoStep;

// Where one character of a measured line stands, in pixels.
struct SCharPlacement {
    int x = 0;
    int width = 0;
};

// The tab stops of a block's lines: the first at `first`, then one every
// `spacing` pixels without end, so a line may hold any number of tabs.
struct STabStops {
    int first = 0;
    int spacing = 0;

    // The x of stop `k`, counted from 0.
    int At(std::uint32_t k) const { return first + static_cast<int>(k) * spacing; }
};

// One node of the merge model: a piece of the merged document as it is shown
// and written. Where the inputs agree one block stands for every side; where
// they differ a selector holds one alternative block per side.
//
// The operations below may recurse along the depth of the tree (they run on
// threads with large stacks) but never along siblings. Finding a line costs
// a binary search per level among many siblings: numbering the lines indexes
// where each child starts, and any change of the children drops the index
// until the next numbering.
class CBlockBase : public NPtr::CNode, public NPtr::CFlagWord {
public:
    CBlockBase() = default;
    CBlockBase& operator=(const CBlockBase&) = delete;

    // A new block of the same class with the same fields and clones of the
    // children, not linked anywhere.
    virtual CBlockBase* Clone() const;

    // Numbers this block's lines from `first` on; the number after the last one used.
    virtual TLine NumberLines(TLine first);
    // The block that owns display line `n`, or null.
    virtual CBlockBase* FindLine(TLine n) const;
    // The block of the line after `line`, one of this block's lines: asked
    // of this block, then of each ancestor in turn, as the view steps down
    // the lines it paints; null past the last line.
    CBlockBase* NextLineBlock(TLine line) const;
    // Numbers the children one after another from `next` on and indexes
    // where each starts; the number after the last line used.
    TLine NumberChildren(TLine next);
    // The first answer of the children to FindLine (n), in order; once they
    // are indexed only the child that can hold `n` is asked.
    CBlockBase* FindLineInChildren(TLine n) const;

    virtual TLine FirstLine() const;
    virtual TLine LastLine() const;
    // The UTF-16 text of display line `n` and, when `colours` is given, one
    // colour for each leading character that is not drawn in the default
    // colour (cleared first). The side whose node the line shows; kSideNone
    // with empty text for a line this block does not own.
    virtual int GetLineText(NString::TStr<char16_t>& text, TLine n,
                            std::vector<COLORREF>* colours) const;
    // The element path (UTF-8) of this block, as named with `spec`.
    virtual void GetPath(NString::TStr<char>& path, const CFileSpec* spec) const;
    // Appends every selector of the subtree to `list`, in document order.
    virtual void CollectSelectors(NPtr::TArray<CBlockSelector>& list);
    // The x in pixels where this block's lines start.
    virtual int GetIndent() const;
    // Where the tab stops of this block's lines stand.
    virtual STabStops GetTabStops() const;
    // The width in pixels of the block with its subtree, cached.
    virtual int GetWidth();
    // Forgets the cached width of this block and its subtree.
    virtual void InvalidateWidth();
    // Appends the merged document's text for this block (UTF-8); false when
    // a difference below it is unresolved, unless `out` is a
    // CMergedTextWithGaps, which records a gap for it.
    virtual bool WriteMerged(NIO::CBase& out) const;
    // WriteMerged of the blocks from `first` to before `end` (null: the last).
    static bool WriteMergedRange(const CBlockBase* first, const CBlockBase* end, NIO::CBase& out);
    // Appends the re-indented form: `indent` and `depth` tabs before each line,
    // CRLF after it, every alternative of a selector.
    virtual bool WriteIndented(NIO::CBase& out, int depth, const char* indent) const;

    // Editing of the merged result's text. Only a block's editable ranges
    // (attribute values, character data, comment bodies) change; elsewhere
    // nothing does. Each returns where the caret goes. With `step`, what
    // changed is recorded in it for undo. The default block is not editable.
    virtual STextPoint InsertText(CUndoStep* step, STextPoint at, std::string_view text);
    virtual STextPoint DeleteText(CUndoStep* step, STextPoint from, STextPoint to);

    virtual bool IsAttributeList() const { return false; }
    virtual bool IsAttributeBlock() const { return false; }
    virtual bool IsElementBlock() const { return false; }
    virtual bool IsBlockSelector() const { return false; }

    // The tree parent; for an element's attribute list, the element.
    virtual CBlockBase* ParentBlock() const { return static_cast<CBlockBase*>(Parent()); }
    CBlockBase* FirstChildBlock() const { return static_cast<CBlockBase*>(FirstChild()); }
    CBlockBase* NextSiblingBlock() const { return static_cast<CBlockBase*>(NextSibling()); }

    // This block or its nearest ancestor that is a selector, or an element.
    CBlockSelector* EnclosingSelector() const;
    CBlockBase* EnclosingElement() const;
    // Forgets the cached width of this block and of every ancestor.
    void InvalidateWidthUp();
    // Where each UTF-16 unit of line `n` stands, then a closing entry of
    // width 0 at the right end of the line.
    void MeasureLine(TLine n, std::vector<SCharPlacement>& placements) const;

    // This block's own display lines, ascending; children's lines are not in
    // it. No block has more than three: an element's start line, end of its
    // start tag and end tag.
    NPtr::TInlineArray<TLine, 3> lines;
    // Cached GetWidth; -1 until measured.
    int width = -1;
    // The side whose node this block shows; kSideNone for blocks of no side.
    int side = kSideNone;

protected:
    // Copies the fields, not the links.
    CBlockBase(const CBlockBase& other);

    // The same class of block with the same fields and clones of the children.
    template <class TBlock> static TBlock* CloneTree(const TBlock& block) {
        auto* copy = new TBlock(block);
        block.AppendChildClones(*copy);
        return copy;
    }
    // Appends a clone of each child to `copy`.
    void AppendChildClones(CBlockBase& copy) const;
    // The index no longer matches the children.
    void ChildrenChanged() override { m_childLines.Clear(); }

    // The x where measured line `n` ends.
    int RightEnd(TLine n) const;
    // The largest GetWidth among the children; 0 without children.
    int ChildrenWidth();

private:
    // Where each child starts, from the last NumberChildren; never copied.
    CChildLineIndex m_childLines;
};
