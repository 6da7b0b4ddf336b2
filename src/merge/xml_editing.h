#pragma once

#include "merge/display_line.h"
#include "merge/text_point.h"

class CBlockBase;
class CMergeModel;
class CRootBlock;
class CUndoStep;
class CXMLClipboard;

// Editing the merged result by whole blocks: deleting and pasting elements,
// attributes and the other nodes, each change recorded in an undo step. A
// selection is a caret and an anchor; an unset anchor, or one at the caret,
// is no selection.

// The lines of whole blocks that lines `first` to `last` touch.
struct SLineRange {
    TLine first = kNoLine;
    TLine last = kNoLine;
};

// Widens lines `line1` to `line2` (line1 <= line2) to the blocks they touch:
// one block and its subtree, or siblings from the first line's block to the
// last line's. Attribute lists are not blocks of their own: a range from an
// attribute into the element's content covers the element. Unchanged when
// no block owns `line1`.
SLineRange ExpandToBlocks(const CRootBlock& root, TLine line1, TLine line2);

// The blocks a selection covers: siblings from `first` on, as long as they
// start at or before `lastLine`. A selection that starts in an alternative
// of a difference covers the whole difference.
struct SBlockRun {
    CBlockBase* first = nullptr;
    TLine lastLine = kNoLine;

    bool IsEmpty() const { return first == nullptr; }
    // Whether `block` is one of the run's blocks or below one; false for an empty run.
    bool Contains(const CBlockBase& block) const;
    // The sibling after the run; null when the run ends its parent.
    CBlockBase* Next() const;
};

// The lines a selection covers, ordered: a selection that ends at column 0
// of a later line does not cover that line. Empty without a selection.
SLineRange SelectedLines(STextPoint caret, STextPoint anchor);
SBlockRun SelectedBlocks(const CMergeModel& model, STextPoint caret, STextPoint anchor);

// What DeleteSelectionAsXML answers.
inline constexpr int kDeletedBlocks = 1;
inline constexpr int kNothingSelected = 4;

// Deletes the blocks the selection covers, each in a kBlockDeleted record of
// `step` (in document order, with the place to put it back), then renumbers
// the lines and lists the differences anew. Without `step` the blocks are
// deleted for good. Only a merge's result is edited: a compare answers
// kNothingSelected.
int DeleteSelectionAsXML(CMergeModel& model, STextPoint caret, STextPoint anchor, CUndoStep* step);

// Inserts clones of the clipboard's blocks where the selection starts (or at
// the caret without one), after deleting the selection as XML: attributes go
// before an attribute or at the end of an element's attributes; other
// blocks before a block, or as last children when pasted on an end tag.
// Over a selection they go where the deleted blocks stood. Each clone is in
// a kBlockInserted record of `step`. False, with nothing changed or
// recorded, in a compare, when there is nothing to paste, no place for it,
// or an attribute of the same name is already there.
bool PasteXML(CMergeModel& model, const CXMLClipboard& clipboard, STextPoint caret,
              STextPoint anchor, CUndoStep* step);
