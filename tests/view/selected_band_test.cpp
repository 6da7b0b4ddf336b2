#include "view/selected_band.h"

#include <gtest/gtest.h>

namespace {

constexpr STextPosition kUnset{};

TEST(SelectedBand, CoversTheSelectedLinesButNotAnEndAtColumnZero) {
    struct SCase {
        const char* what;
        STextPosition caret;
        STextPosition anchor;
        SLineBand band;
    };
    const SCase cases[] = {
        {"no anchor", {4, 2}, kUnset, {}},
        {"anchor at the caret", {4, 2}, {4, 2}, {}},
        {"within one line", {4, 5}, {4, 2}, {4, 4}},
        {"over three lines", {2, 3}, {4, 1}, {2, 4}},
        {"backwards", {4, 1}, {2, 3}, {2, 4}},
        {"ending at column 0", {2, 3}, {5, 0}, {2, 4}},
        {"to column 0 of the next line", {2, 3}, {3, 0}, {2, 2}},
        {"whole line from column 0", {2, 0}, {3, 0}, {2, 2}},
    };
    for (const SCase& test : cases)
        EXPECT_EQ(SelectedBand(SSelection(test.caret, test.anchor)), test.band) << test.what;
}

TEST(SelectedBand, RepaintsTheLinesWhoseSelectionChanged) {
    struct SCase {
        const char* what;
        STextPosition caretBefore;
        STextPosition anchorBefore;
        STextPosition caretAfter;
        STextPosition anchorAfter;
        SLineBand lines;
    };
    const SCase cases[] = {
        {"caret moves down without a selection", {3, 1}, kUnset, {7, 0}, kUnset, {3, 7}},
        {"caret moves within a line", {3, 1}, kUnset, {3, 4}, kUnset, {3, 3}},
        {"selection grows at its end", {6, 2}, {2, 0}, {9, 1}, {2, 0}, {2, 9}},
        {"selection shrinks at its start", {1, 0}, {8, 3}, {5, 0}, {8, 3}, {1, 8}},
        {"selection dropped", {9, 1}, {2, 0}, {9, 1}, kUnset, {2, 9}},
        {"selection made from the caret", {4, 1}, kUnset, {6, 2}, {4, 1}, {4, 6}},
        {"selection moved elsewhere", {2, 1}, {3, 1}, {12, 0}, {10, 1}, {2, 12}},
    };
    for (const SCase& test : cases) {
        EXPECT_EQ(
            LinesToRepaint(test.caretBefore, test.anchorBefore, test.caretAfter, test.anchorAfter),
            test.lines)
            << test.what;
    }
}

} // namespace
