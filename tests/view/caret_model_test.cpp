#include "fake_lines.h"
#include "view/caret_model.h"
#include "view/scroll_into_view.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using ViewTest::CFakeLines;
using ViewTest::CFakeViewport;

constexpr STextPosition kUnset;

std::string Describe(STextPosition position) {
    // Built piece by piece: GCC 12's Release build misreads "(" + a temporary.
    std::string text = "(";
    text += std::to_string(position.line);
    text += ',';
    text += std::to_string(position.column);
    text += ')';
    return text;
}

// Puts the caret at `at` as a click would, with no selection.
void PlaceAt(CCaretModel& caret, STextPosition at) {
    caret.Press(at, false, false);
    caret.Release();
}

struct SKey {
    int command;
    bool shift;
    bool ctrl;
    int result;
    STextPosition caret;
    STextPosition anchor = kUnset;
    // The first line on the page afterwards.
    int top = 0;
};

struct SKeyScenario {
    const char* name;
    std::vector<std::u16string> lines;
    STextPosition start;
    std::vector<SKey> keys;
};

constexpr bool kShift = true;
constexpr bool kCtrl = true;
constexpr int kActed = kCaretActed;
constexpr int kNothing = kCaretNothingToDo;

TEST(CaretModel, KeysMoveTheCaretAndTheAnchorAsTheRulesSay) {
    const std::vector<std::u16string> tenLines(10, u"xy");
    const SKeyScenario scenarios[] = {
        {"home goes to the first non-space column, then to column 0",
         {u"    <a>", u"<b>"},
         {0, 6},
         {{kCaretLineStart, false, false, kActed, {0, 4}},
          {kCaretLineStart, false, false, kActed, {0, 0}},
          {kCaretLineStart, false, false, kActed, {0, 4}},
          {kCaretDown, false, false, kActed, {1, 3}},
          {kCaretLineStart, false, false, kActed, {1, 0}},
          {kCaretLineStart, false, false, kNothing, {1, 0}}}},
        {"right and left cross line ends and stop at the document's ends",
         {u"ab", u"c"},
         {0, 2},
         {{kCaretRight, false, false, kActed, {1, 0}},
          {kCaretRight, false, false, kActed, {1, 1}},
          {kCaretRight, false, false, kNothing, {1, 1}},
          {kCaretLeft, false, false, kActed, {1, 0}},
          {kCaretLeft, false, false, kActed, {0, 2}},
          {kCaretLeft, false, false, kActed, {0, 1}},
          {kCaretLeft, false, false, kActed, {0, 0}},
          {kCaretLeft, false, false, kNothing, {0, 0}}}},
        {"ctrl+right jumps over a word or one other character, then over spaces",
         {u"foo  bar-baz", u"  next"},
         {0, 0},
         {{kCaretRight, false, kCtrl, kActed, {0, 5}},
          {kCaretRight, false, kCtrl, kActed, {0, 8}},
          {kCaretRight, false, kCtrl, kActed, {0, 9}},
          {kCaretRight, false, kCtrl, kActed, {0, 12}},
          {kCaretRight, false, kCtrl, kActed, {1, 2}},
          {kCaretRight, false, kCtrl, kActed, {1, 6}},
          {kCaretRight, false, kCtrl, kNothing, {1, 6}}}},
        {"ctrl+left steps back over what ctrl+right stepped over",
         {u"foo  bar-baz", u"  next"},
         {1, 6},
         {{kCaretLeft, false, kCtrl, kActed, {1, 2}},
          {kCaretLeft, false, kCtrl, kActed, {0, 12}},
          {kCaretLeft, false, kCtrl, kActed, {0, 9}},
          {kCaretLeft, false, kCtrl, kActed, {0, 8}},
          {kCaretLeft, false, kCtrl, kActed, {0, 5}},
          {kCaretLeft, false, kCtrl, kActed, {0, 0}},
          {kCaretLeft, false, kCtrl, kNothing, {0, 0}}}},
        {"up and down come back to the remembered x after a shorter line",
         {u"abcdefgh", u"ab", u"abcdefgh"},
         {0, 6},
         {{kCaretDown, false, false, kActed, {1, 2}},
          {kCaretDown, false, false, kActed, {2, 6}},
          {kCaretDown, false, false, kNothing, {2, 6}},
          {kCaretUp, false, false, kActed, {1, 2}},
          {kCaretUp, false, false, kActed, {0, 6}},
          {kCaretUp, false, false, kNothing, {0, 6}}}},
        {"shift sets the anchor once and keeps it; a move without shift drops it",
         {u"abc", u"def"},
         {0, 1},
         {{kCaretRight, kShift, false, kActed, {0, 2}, {0, 1}},
          {kCaretDown, kShift, false, kActed, {1, 2}, {0, 1}},
          {kCaretLineEnd, kShift, false, kActed, {1, 3}, {0, 1}},
          {kCaretRight, kShift, false, kNothing, {1, 3}, {0, 1}},
          {kCaretLeft, false, false, kActed, {1, 2}}}},
        {"ctrl+end and ctrl+home reach the ends",
         {u"  ab", u"cdef", u"efg"},
         {1, 3},
         {{kCaretLineEnd, false, kCtrl, kActed, {2, 3}},
          {kCaretLineEnd, false, kCtrl, kNothing, {2, 3}},
          {kCaretLineStart, false, kCtrl, kActed, {0, 0}},
          {kCaretDown, false, false, kActed, {1, 0}}}},
        {"page down and up move by a page's whole lines and scroll by a page",
         tenLines,
         {1, 1},
         {{kCaretPageDown, false, false, kActed, {4, 1}, kUnset, 3},
          {kCaretPageDown, false, false, kActed, {7, 1}, kUnset, 6},
          {kCaretPageDown, false, false, kActed, {9, 1}, kUnset, 7},
          {kCaretPageDown, false, false, kNothing, {9, 1}, kUnset, 7},
          {kCaretPageUp, false, false, kActed, {6, 1}, kUnset, 4},
          {kCaretPageUp, kShift, false, kActed, {3, 1}, {6, 1}, 1},
          {kCaretPageUp, kShift, false, kActed, {0, 1}, {6, 1}, 0},
          {kCaretPageUp, kShift, false, kNothing, {0, 1}, {6, 1}, 0}}},
        {"ctrl+down and up scroll, moving the caret only to keep it on the page",
         tenLines,
         {1, 2},
         {{kCaretDown, false, kCtrl, kActed, {1, 2}, kUnset, 1},
          {kCaretDown, false, kCtrl, kActed, {2, 2}, kUnset, 2},
          {kCaretDown, false, false, kActed, {3, 2}, kUnset, 2},
          {kCaretDown, false, false, kActed, {4, 2}, kUnset, 2},
          {kCaretUp, false, kCtrl, kActed, {3, 2}, kUnset, 1},
          {kCaretUp, false, kCtrl, kActed, {2, 2}, kUnset, 0},
          {kCaretUp, false, kCtrl, kNothing, {2, 2}, kUnset, 0}}},
    };
    for (const SKeyScenario& scenario : scenarios) {
        const CFakeLines lines(scenario.lines);
        CFakeViewport viewport(lines.LineCount(), 3);
        CCaretModel caret(lines);
        PlaceAt(caret, scenario.start);
        int step = 0;
        for (const SKey& key : scenario.keys) {
            SCOPED_TRACE(std::string(scenario.name) + ", step " + std::to_string(++step));
            EXPECT_EQ(caret.Move(key.command, key.shift, key.ctrl, viewport), key.result);
            EXPECT_EQ(caret.Caret(), key.caret) << Describe(caret.Caret());
            EXPECT_EQ(caret.Anchor(), key.anchor) << Describe(caret.Anchor());
            EXPECT_EQ(viewport.VerticalPosition(), key.top * CFakeViewport::kLineHeight);
        }
    }
}

TEST(CaretModel, KeysInAnEmptyDocumentDoNothing) {
    const CFakeLines lines({});
    CFakeViewport viewport(0, 3);
    CCaretModel caret(lines);
    for (int command = kCaretLeft; command <= kCaretLineEnd; ++command)
        EXPECT_EQ(caret.Move(command, false, false, viewport), kNothing) << command;
    EXPECT_EQ(caret.SelectAll(), kNothing);
    EXPECT_EQ(caret.Select({{0, 0}, {0, 0}}), kNothing);
    EXPECT_EQ(caret.Press({0, 0}, false, false), kNothing);
    EXPECT_EQ(caret.DoubleClick({0, 0}), kNothing);
    EXPECT_FALSE(caret.Caret().IsSet());
}

enum class EMouse { Press, ShiftPress, CtrlPress, Drag, DoubleClick, Release };

struct SMouse {
    EMouse action;
    STextPosition at;
    int result;
    STextPosition caret;
    STextPosition anchor;
};

struct SMouseScenario {
    const char* name;
    std::vector<SMouse> steps;
};

int Apply(CCaretModel& caret, const SMouse& mouse) {
    switch (mouse.action) {
    case EMouse::Press:
        return caret.Press(mouse.at, false, false);
    case EMouse::ShiftPress:
        return caret.Press(mouse.at, true, false);
    case EMouse::CtrlPress:
        return caret.Press(mouse.at, false, true);
    case EMouse::Drag:
        return caret.Drag(mouse.at);
    case EMouse::DoubleClick:
        return caret.DoubleClick(mouse.at);
    case EMouse::Release:
        return caret.Release();
    }
    return 0;
}

TEST(CaretModel, MouseSelectsTextWordsAndLines) {
    using enum EMouse;
    constexpr int kMargin = -1;
    const SMouseScenario scenarios[] = {
        {"a margin press selects up to the next line's start; a drag goes by lines",
         {{Press, {1, kMargin}, kActed, {2, 0}, {1, 0}},
          {Drag, {2, 1}, kActed, {3, 0}, {1, 0}},
          {Drag, {2, 0}, kNothing, {3, 0}, {1, 0}},
          {Drag, {0, 1}, kActed, {0, 0}, {1, 0}},
          {Release, {}, kActed, {0, 0}, {1, 0}}}},
        {"a margin press on the last line selects to its end",
         {{Press, {3, kMargin}, kActed, {3, 12}, {3, 0}}}},
        {"shift with a margin press extends from the anchor line by line",
         {{Press, {0, 1}, kActed, {0, 1}, kUnset},
          {ShiftPress, {1, kMargin}, kActed, {2, 0}, {0, 1}}}},
        {"a press drops the selection, shift extends it, a drag follows the point",
         {{Press, {0, 2}, kActed, {0, 2}, kUnset},
          {ShiftPress, {3, 6}, kActed, {3, 6}, {0, 2}},
          {Press, {3, 1}, kActed, {3, 1}, kUnset},
          {Drag, {3, 7}, kActed, {3, 7}, kUnset},
          {Drag, {3, 7}, kNothing, {3, 7}, kUnset},
          {Release, {}, kActed, {3, 7}, kUnset},
          {Drag, {3, 2}, kNothing, {3, 7}, kUnset},
          {Release, {}, kNothing, {3, 7}, kUnset}}},
        {"a double click selects a word, a space run or one character",
         {{DoubleClick, {3, 1}, kActed, {3, 3}, {3, 0}},
          {DoubleClick, {3, 4}, kActed, {3, 5}, {3, 3}},
          {DoubleClick, {3, 8}, kActed, {3, 9}, {3, 8}},
          {DoubleClick, {3, 12}, kActed, {3, 12}, {3, 9}},
          {DoubleClick, {1, 0}, kActed, {1, 2}, {1, 0}}}},
        {"after a word selection a drag goes word by word, away from the anchor",
         {{CtrlPress, {3, 6}, kActed, {3, 8}, {3, 5}},
          {Drag, {3, 10}, kActed, {3, 12}, {3, 5}},
          {Drag, {3, 11}, kNothing, {3, 12}, {3, 5}},
          {Drag, {3, 1}, kActed, {3, 0}, {3, 5}}}},
    };
    const CFakeLines lines({u"ab", u"cd", u"ef", u"foo  bar-baz"});
    for (const SMouseScenario& scenario : scenarios) {
        CCaretModel caret(lines);
        int step = 0;
        for (const SMouse& mouse : scenario.steps) {
            SCOPED_TRACE(std::string(scenario.name) + ", step " + std::to_string(++step));
            EXPECT_EQ(Apply(caret, mouse), mouse.result);
            EXPECT_EQ(caret.Caret(), mouse.caret) << Describe(caret.Caret());
            EXPECT_EQ(caret.Anchor(), mouse.anchor) << Describe(caret.Anchor());
        }
    }
}

TEST(CaretModel, SelectionAndSearchStartFollowTheAnchorAndTheCaret) {
    struct SCase {
        STextRange set;
        std::optional<STextRange> selection;
        STextPosition upward;
        STextPosition downward;
    };
    const SCase cases[] = {
        // Nothing placed: searches start at the document's start.
        {{kUnset, kUnset}, std::nullopt, {0, 0}, {0, 0}},
        {{kUnset, {1, 1}}, std::nullopt, {1, 1}, {1, 1}},
        {{{1, 1}, {1, 1}}, std::nullopt, {1, 1}, {1, 1}},
        // The anchor after the caret: the selection is in document order.
        {{{1, 1}, {0, 2}}, STextRange{{0, 2}, {1, 1}}, {0, 2}, {1, 1}},
        // Ending at the next line's start, as a margin press leaves it.
        {{{0, 0}, {1, 0}}, STextRange{{0, 0}, {1, 0}}, {0, 0}, {1, 0}},
    };
    const CFakeLines lines({u"abc", u"def"});
    for (const SCase& test : cases) {
        CCaretModel caret(lines);
        if (test.set.end.IsSet())
            caret.Select(test.set);
        SCOPED_TRACE(Describe(test.set.start) + "-" + Describe(test.set.end));
        EXPECT_EQ(caret.Selection(), test.selection);
        EXPECT_EQ(caret.SearchStart(true), test.upward);
        EXPECT_EQ(caret.SearchStart(false), test.downward);
    }
}

TEST(CaretModel, SelectAllSpansTheDocumentAndSelectsNothingInAnEmptyOne) {
    struct SCase {
        std::vector<std::u16string> lines;
        STextPosition caret;
        STextPosition anchor;
    };
    const SCase cases[] = {
        {{u"ab", u"cde"}, {1, 3}, {0, 0}},
        {{u""}, {0, 0}, kUnset},
    };
    for (const SCase& test : cases) {
        const CFakeLines lines(test.lines);
        CCaretModel caret(lines);
        EXPECT_EQ(caret.SelectAll(), kActed);
        EXPECT_EQ(caret.Caret(), test.caret);
        EXPECT_EQ(caret.Anchor(), test.anchor);
        EXPECT_EQ(caret.SelectAll(), kNothing);
    }
}

// The lines change under the caret (an edit, a resolution, a reload); the
// caret and the anchor must not point past what is left.
TEST(CaretModel, ClampHoldsCaretAndAnchorToWhatIsLeft) {
    struct SCase {
        std::vector<std::u16string> after;
        int result;
        STextPosition caret;
        STextPosition anchor;
    };
    const SCase cases[] = {
        {{u"abcdef", u"ghij", u"kl"}, kNothing, {2, 2}, {1, 3}},
        {{u"abcdef", u"gh", u"k"}, kActed, {2, 1}, {1, 2}},
        {{u"abcdef", u"gh"}, kActed, {1, 2}, {1, 2}},
        {{u"abcdef"}, kActed, {0, 2}, {0, 3}},
        {{}, kActed, kUnset, kUnset},
    };
    for (const SCase& test : cases) {
        CFakeLines lines({u"abcdef", u"ghij", u"kl"});
        CCaretModel caret(lines);
        caret.Select({{1, 3}, {2, 2}});
        lines.lines = test.after;
        SCOPED_TRACE(test.after.size());
        EXPECT_EQ(caret.Clamp(), test.result);
        EXPECT_EQ(caret.Caret(), test.caret) << Describe(caret.Caret());
        EXPECT_EQ(caret.Anchor(), test.anchor) << Describe(caret.Anchor());
    }
}

TEST(CaretModel, ColumnFromXTakesTheNearestColumn) {
    struct SCase {
        int line;
        int x;
        int column;
    };
    // Columns of "abcd" start at 0, 8, 16, 24 and the line ends at 32; in
    // the second line columns 2 and 3 share x 16 around a combining mark.
    const SCase cases[] = {
        {0, -10, 0}, {0, 0, 0},  {0, 3, 0},  {0, 4, 0},  {0, 5, 1},
        {0, 16, 2},  {0, 20, 2}, {0, 29, 4}, {0, 32, 4}, {0, 500, 4},
        {1, 15, 2},  {1, 16, 2}, {1, 19, 2}, {1, 21, 4}, {2, 40, 0},
    };
    const CFakeLines lines({u"abcd", u"ab\u0301c", u""});
    const CCaretModel caret(lines);
    for (const SCase& test : cases)
        EXPECT_EQ(caret.ColumnFromX(test.line, test.x), test.column) << test.line << ": " << test.x;
}

// Up and down on a very long line measure a few columns, not all of them.
TEST(CaretModel, ColumnFromXMeasuresFewColumnsOfALongLine) {
    const CFakeLines lines({std::u16string(100000, u'a')});
    const CCaretModel caret(lines);
    EXPECT_EQ(caret.ColumnFromX(0, 99990 * CFakeLines::kCharWidth + 1), 99990);
    EXPECT_LT(lines.measured, 100);
}

TEST(ScrollIntoView, KeepsRoomBesideTheCaretAndItsLineWhole) {
    struct SCase {
        int caretX;
        int caretLine;
        SScrollPosition position;
        int pageWidth;
        SScrollPosition expected;
    };
    // The page is 160 pixels high: lines of 16, ten whole lines.
    const SCase cases[] = {
        {0, 0, {0, 0}, 400, {0, 0}},
        {500, 0, {0, 0}, 400, {238, 0}},
        {300, 0, {238, 0}, 400, {238, 0}},
        {100, 0, {238, 0}, 400, {78, 0}},
        // Narrower than the room: 5 pixels are kept.
        {100, 0, {0, 0}, 50, {113, 0}},
        {0, 9, {0, 0}, 400, {0, 0}},
        {0, 12, {0, 0}, 400, {0, 48}},
        {0, 2, {0, 48}, 400, {0, 32}},
    };
    for (const SCase& test : cases) {
        const SCaretInView caret{test.caretX, test.caretLine, test.position, test.pageWidth, 160,
                                 16};
        const SScrollPosition result = ScrollIntoView(caret);
        EXPECT_EQ(result, test.expected) << test.caretX << "," << test.caretLine << " -> "
                                         << result.horizontal << "," << result.vertical;
    }
}

TEST(ScrollIntoView, CentresAStretchThatFitsThePage) {
    struct SCase {
        int firstLine;
        int lineCount;
        int pageLines;
        int top;
    };
    const SCase cases[] = {
        {50, 1, 11, 45},  {50, 1, 10, 46},  {50, 3, 10, 47},
        {50, 10, 10, 50}, {50, 30, 10, 50}, {2, 1, 11, -3},
    };
    for (const SCase& test : cases)
        EXPECT_EQ(CentredTopLine(test.firstLine, test.lineCount, test.pageLines), test.top)
            << test.firstLine << "+" << test.lineCount << " on " << test.pageLines;
}

} // namespace
