#pragma once

#include "merge/text_point.h"

#include <string_view>

class CMergeModel;
class CUndoStep;

// What a text edit of the merged result did, and where the caret goes. The
// caller clears the selection anchor after every one of them.
struct STextEditOutcome {
    // The edit changed the result.
    static constexpr int kActed = 1;
    // There was no selection to delete.
    static constexpr int kNoSelection = 10;
    // Nothing changed: the place is not editable, or the range would span
    // two blocks.
    static constexpr int kNothingChanged = 12;

    STextPoint caret;
    int result = kNothingChanged;
};

// The edits below change one block's editable text. Each records its changes
// in `step` (which may be null) and, when it changed a block of a
// difference, resolves that difference to the block's side, recorded so
// that undo gives the difference its resolution back. The lines are
// renumbered when their count may have changed. `anchor` unset, or equal to
// the caret, means there is no selection.

// Deletes the selection as text, then inserts UTF-8 `text` at the caret.
STextEditOutcome TypeText(CMergeModel& model, STextPoint caret, STextPoint anchor,
                          std::string_view text, CUndoStep* step);
// Deletes the text between caret and anchor when one block holds all of it;
// a range over two blocks deletes nothing, and the caret goes to its start.
STextEditOutcome DeleteSelectionAsText(CMergeModel& model, STextPoint caret, STextPoint anchor,
                                       CUndoStep* step);
// The Delete key: the selection, else the character after the caret; at the
// end of a line the next line is joined to it when the same block owns it.
STextEditOutcome DeleteForward(CMergeModel& model, STextPoint caret, STextPoint anchor,
                               CUndoStep* step);
// The Backspace key: the selection, else the character before the caret; at
// column 0 the line is joined to the previous one when the same block owns it.
STextEditOutcome DeleteBackward(CMergeModel& model, STextPoint caret, STextPoint anchor,
                                CUndoStep* step);
