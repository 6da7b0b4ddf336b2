#include "fake_lines.h"
#include "view/caret_model.h"
#include "view/text_search.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

using ViewTest::CFakeLines;

constexpr bool kUp = true;
constexpr bool kCase = true;
constexpr bool kWords = true;

// A match on one line, from column `from` up to `to`.
std::optional<STextRange> On(int line, int from, int to) {
    return STextRange{{line, from}, {line, to}};
}

TEST(TextSearch, FindsTheNextOccurrenceByTheRules) {
    struct SCase {
        const char* name;
        std::vector<std::u16string> lines;
        STextPosition start;
        std::u16string text;
        SSearchOptions options;
        std::optional<STextRange> match;
    };
    const std::vector<std::u16string> words{u"x", u"id-ident id"};
    const SSearchOptions plain{}, wholeWords{false, kWords, false};
    const SSearchOptions up{false, false, kUp}, matchCase{kCase, false, false};
    const SCase cases[] = {
        {"whole words skip the id inside ident", words, {0, 0}, u"id", wholeWords, On(1, 0, 2)},
        {"whole words, from after the first", words, {1, 2}, u"id", wholeWords, On(1, 9, 11)},
        {"whole words upward", words, {1, 9}, u"id", {false, kWords, kUp}, On(1, 0, 2)},
        {"without whole words ident's id counts", words, {1, 2}, u"id", plain, On(1, 3, 5)},
        {"down wraps to above", {u"target", u"x", u"y"}, {1, 0}, u"target", plain, On(0, 0, 6)},
        {"up wraps to below", {u"x", u"target", u"y"}, {0, 0}, u"get", up, On(1, 3, 6)},
        {"the start line from the start column", {u"ab ab"}, {0, 1}, u"ab", plain, On(0, 3, 5)},
        {"the start line whole last", {u"ab xx", u"zz"}, {0, 3}, u"ab", plain, On(0, 0, 2)},
        {"upward only what ends before the start", {u"ab ab"}, {0, 4}, u"ab", up, On(0, 0, 2)},
        {"case is ignored", {u"x", u"Äbc ÄBC"}, {0, 0}, u"äbc", plain, On(1, 0, 3)},
        {"match case", {u"x", u"Äbc ÄBC äBC"}, {0, 0}, u"äBC", matchCase, On(1, 8, 11)},
        {"a text found nowhere", {u"abc", u"def"}, {1, 1}, u"xyz", plain, std::nullopt},
        {"an empty text finds nothing", {u"abc"}, {0, 0}, u"", plain, std::nullopt},
        {"a start past the lines is held", {u"ab", u"cd"}, {7, 9}, u"ab", plain, On(0, 0, 2)},
        {"an empty document", {}, {0, 0}, u"a", plain, std::nullopt},
    };
    for (const SCase& test : cases) {
        const CFakeLines lines(test.lines);
        EXPECT_EQ(FindNext(lines, test.start, test.text, test.options), test.match) << test.name;
    }
}

// A miss in either direction reads every line once, however the search
// started: the loop ends by counting, not by coming back to the start.
TEST(TextSearch, AMissReadsEachLineOnce) {
    const STextPosition starts[] = {{0, 0}, {2, 1}, {4, 3}, {40, 0}};
    for (const bool upward : {false, true}) {
        for (const STextPosition start : starts) {
            const CFakeLines lines({u"a", u"bb", u"ccc", u"dd", u"eee"});
            EXPECT_FALSE(FindNext(lines, start, u"zz", {false, kWords, upward}));
            const std::map<int, int> once{{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}};
            EXPECT_EQ(lines.reads, once) << start.line << " " << upward;
        }
    }
}

// Searching again from a match finds the next one in the search's
// direction; a miss keeps the caret and the selection as they were.
TEST(TextSearch, SearchFromCaretSelectsEachMatchInTurnAndAMissChangesNothing) {
    struct SStep {
        std::u16string text;
        bool upward;
        STextPosition anchor;
        STextPosition caret;
    };
    const SStep steps[] = {
        {u"ab", false, {2, 0}, {2, 2}}, {u"ab", false, {0, 1}, {0, 3}},
        {u"ab", false, {0, 4}, {0, 6}}, {u"zz", false, {0, 4}, {0, 6}},
        {u"ab", kUp, {0, 1}, {0, 3}},   {u"ab", kUp, {2, 0}, {2, 2}},
        {u"zz", kUp, {2, 0}, {2, 2}},
    };
    const CFakeLines lines({u"xab ab", u"cd", u"ab"});
    CCaretModel caret(lines);
    caret.Press({1, 1}, false, false);
    int step = 0;
    for (const SStep& test : steps) {
        SCOPED_TRACE(++step);
        const bool found = test.text != u"zz";
        EXPECT_EQ(SearchFromCaret(caret, lines, test.text, {false, false, test.upward}).has_value(),
                  found);
        EXPECT_EQ(caret.Anchor(), test.anchor);
        EXPECT_EQ(caret.Caret(), test.caret);
    }
}

} // namespace
