#pragma once

// Where the view is scrolled to, in pixels.
struct SScrollPosition {
    int horizontal = 0;
    int vertical = 0;

    bool operator==(const SScrollPosition&) const = default;
};

// What bringing the caret into view needs to know.
struct SCaretInView {
    // The caret's x from the text origin and its line.
    int caretX = 0;
    int caretLine = 0;
    SScrollPosition position;
    // The visible text area and the height of a line.
    int pageWidth = 0;
    int pageHeight = 0;
    int lineHeight = 1;
    // Where the text starts while the view is not scrolled sideways: right of
    // the gutter and the side marks.
    int textLeft = 58;
};

// The scroll position that shows the caret with some room beside it: 80
// pixels (5 on a page too narrow for that) from the left and right edges,
// and its line whole on the page. A position that already shows it stays;
// neither coordinate goes below 0.
SScrollPosition ScrollIntoView(const SCaretInView& caret);

// The line to show at the top of a page of `pageLines` lines so that the
// `lineCount` lines from `firstLine` (a search match, a difference) stand in
// its middle; a stretch too long for the page starts at the top instead.
// The caller holds the result to the scroll range.
int CentredTopLine(int firstLine, int lineCount, int pageLines);
