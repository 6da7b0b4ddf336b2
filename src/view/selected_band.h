#pragma once

#include "view/text_position.h"

// A run of whole display lines, first to last; empty while first is -1.
struct SLineBand {
    int first = -1;
    int last = -1;

    bool IsEmpty() const { return first < 0; }
    bool Contains(int line) const { return !IsEmpty() && line >= first && line <= last; }
    // The smallest band holding this band and `line`; an unset line adds nothing.
    SLineBand With(int line) const;
    SLineBand With(const SLineBand& other) const;
    bool operator==(const SLineBand&) const = default;
};

// The two ends of the selection in document order. Without an anchor both
// are the caret: an empty selection.
struct SSelection {
    STextPosition start;
    STextPosition end;

    SSelection(STextPosition caret, STextPosition anchor);
    bool IsEmpty() const { return start == end; }
};

// The lines the selection marks as a whole: from its start line to its end
// line, the end line left out when the selection ends at its column 0.
SLineBand SelectedBand(const SSelection& selection);

// The lines whose look changes when caret and anchor move from the first
// pair to the second: both carets' lines and whatever lies between the ends
// of the selection that moved, with the selected bands before and after.
SLineBand LinesToRepaint(STextPosition caretBefore, STextPosition anchorBefore,
                         STextPosition caretAfter, STextPosition anchorAfter);
