#include "view/selected_band.h"

#include <algorithm>

SLineBand SLineBand::With(int line) const {
    if (line < 0)
        return *this;
    if (IsEmpty())
        return {line, line};
    return {std::min(first, line), std::max(last, line)};
}

SLineBand SLineBand::With(const SLineBand& other) const {
    return other.IsEmpty() ? *this : With(other.first).With(other.last);
}

SSelection::SSelection(STextPosition caret, STextPosition anchor)
    : start(anchor.IsSet() ? std::min(caret, anchor) : caret),
      end(anchor.IsSet() ? std::max(caret, anchor) : caret) {}

SLineBand SelectedBand(const SSelection& selection) {
    if (selection.IsEmpty() || !selection.start.IsSet())
        return {};
    const int last = selection.end.column == 0 ? selection.end.line - 1 : selection.end.line;
    return {selection.start.line, std::max(selection.start.line, last)};
}

SLineBand LinesToRepaint(STextPosition caretBefore, STextPosition anchorBefore,
                         STextPosition caretAfter, STextPosition anchorAfter) {
    const SSelection before(caretBefore, anchorBefore);
    const SSelection after(caretAfter, anchorAfter);
    SLineBand lines = SLineBand{}.With(caretBefore.line).With(caretAfter.line);
    if (before.start != after.start)
        lines = lines.With(before.start.line).With(after.start.line);
    if (before.end != after.end)
        lines = lines.With(before.end.line).With(after.end.line);
    return lines.With(SelectedBand(before)).With(SelectedBand(after));
}
