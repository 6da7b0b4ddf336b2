#include "framework/result.h"
#include "merge/block_selector.h"
#include "merge/simple_block.h"
#include "merge/text_editing.h"
#include "merge/undo_history.h"
#include "merge_test_support.h"

#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <string>

namespace {

using MergeTest::COperation;

// A place given by the text shown there: `offset` columns into the first
// occurrence of `marker` on a display line. ASCII markers keep columns and
// bytes alike.
struct SPlace {
    const char* marker = nullptr;
    std::uint32_t offset = 0;
};

STextPoint Locate(const COperation& operation, SPlace place) {
    if (place.marker == nullptr)
        return {};
    for (TLine n = 0; n < operation.model.LineCount(); ++n) {
        NString::TStr<char16_t> shown;
        if (const CBlockBase* block = operation.model.Root().FindLine(n))
            block->GetLineText(shown, n, nullptr);
        const std::string line(NString::TStr<char>(shown.Text()).Text());
        if (const std::size_t at = line.find(place.marker); at != std::string::npos)
            return {n, static_cast<std::uint32_t>(at) + place.offset};
    }
    ADD_FAILURE() << "no line shows " << place.marker;
    return {};
}

bool Parses(const std::string& bytes) {
    NXML::CDoc doc;
    return MergeTest::ParseBytes(doc, bytes) == NResult::kOk;
}

using FEdit = std::function<STextEditOutcome(CMergeModel&, STextPoint, STextPoint, CUndoStep*)>;

// One edit of a document that every side of a merge holds (so no
// difference stands in the way): where, the text typed for a typing edit,
// and the merged document and result code after it.
struct SEditCase {
    const char* name;
    const char* document;
    SPlace caret;
    SPlace anchor;
    const char* text;
    const char* expected;
    int result;
};

// Runs the edit as one undo action and checks the written result, that it
// parses, and that undo and redo give back the written result and the
// rendering before and after exactly.
void CheckEdit(const SEditCase& c, const FEdit& edit) {
    SCOPED_TRACE(c.name);
    COperation operation(c.document, c.document, c.document, true);
    const std::string renderingBefore = operation.Rendering();
    const std::string mergedBefore = operation.Merged();
    const STextPoint caret = Locate(operation, c.caret);
    const STextPoint anchor = Locate(operation, c.anchor);
    CUndoHistory history;
    CUndoStep* step = history.BeginAction(caret, anchor);
    const STextEditOutcome outcome = edit(operation.model, caret, anchor, step);
    history.EndAction(step, outcome.caret);
    EXPECT_EQ(outcome.result, c.result);
    const std::string merged = operation.Merged();
    EXPECT_EQ(merged, c.expected);
    EXPECT_TRUE(Parses(merged)) << merged;
    if (outcome.result != STextEditOutcome::kActed) {
        EXPECT_FALSE(history.CanUndo());
        EXPECT_EQ(operation.Rendering(), renderingBefore);
        return;
    }
    const std::string renderingAfter = operation.Rendering();
    ASSERT_NE(history.Undo(operation.model), nullptr);
    EXPECT_EQ(operation.Merged(), mergedBefore);
    EXPECT_EQ(operation.Rendering(), renderingBefore);
    ASSERT_NE(history.Redo(operation.model), nullptr);
    EXPECT_EQ(operation.Merged(), merged);
    EXPECT_EQ(operation.Rendering(), renderingAfter);
}

constexpr int kActed = STextEditOutcome::kActed;
constexpr int kNothing = STextEditOutcome::kNothingChanged;

TEST(TextEditing, TypingChangesOnlyEditableText) {
    const SEditCase cases[] = {
        {"value", "<a x='ab'/>", {"'ab'", 2}, {}, "Z", "<a x='aZb'/>", kActed},
        {"breaks in a value become spaces",
         "<a x='ab'/>",
         {"'ab'", 2},
         {},
         "1\r\n2\n",
         "<a x='a1 2 b'/>",
         kActed},
        {"quote, less-than and ampersand escaped in a value",
         "<a x='ab'/>",
         {"'ab'", 3},
         {},
         "'<&\"",
         "<a x='ab&apos;&lt;&amp;\"'/>",
         kActed},
        {"the other quote escaped",
         "<a x=\"ab\"/>",
         {"\"ab\"", 1},
         {},
         "\"'",
         "<a x=\"&quot;'ab\"/>",
         kActed},
        {"a typed reference stays one",
         "<a>one</a>",
         {"one", 3},
         {},
         "&amp;<",
         "<a>one&amp;&lt;</a>",
         kActed},
        {"line breaks split text",
         "<a>one</a>",
         {"one", 1},
         {},
         "X\r\nY\nZ",
         "<a>oX\r\nY\nZne</a>",
         kActed},
        {"comment body", "<a><!--c--></a>", {"<!--c", 4}, {}, "Z", "<a><!--Zc--></a>", kActed},
        {"a dash after a comment's dash",
         "<a><!--c-d--></a>",
         {"c-d", 2},
         {},
         "-",
         "<a><!--c-d--></a>",
         kNothing},
        {"a dash at a comment's end",
         "<a><!--c--></a>",
         {"c-->", 1},
         {},
         "-",
         "<a><!--c--></a>",
         kNothing},
        {"a line ending in a dash at a comment's end",
         "<a><!--c--></a>",
         {"c-->", 1},
         {},
         "\nd-",
         "<a><!--c--></a>",
         kNothing},
        {"a dash apart from others",
         "<a><!--cd--></a>",
         {"cd", 1},
         {},
         "-",
         "<a><!--c-d--></a>",
         kActed},
        {"inside the comment's opening",
         "<a><!--c--></a>",
         {"<!--c", 2},
         {},
         "Z",
         "<a><!--c--></a>",
         kNothing},
        {"inside the comment's end",
         "<a><!--c--></a>",
         {"c-->", 2},
         {},
         "Z",
         "<a><!--c--></a>",
         kNothing},
        {"attribute name", "<a x='ab'/>", {"x =", 0}, {}, "Z", "<a x='ab'/>", kNothing},
        {"value's opening quote", "<a x='ab'/>", {"'ab'", 0}, {}, "Z", "<a x='ab'/>", kNothing},
        {"tag", "<a>one</a>", {"<a>", 1}, {}, "Z", "<a>one</a>", kNothing},
        {"over a selection",
         "<a>one two</a>",
         {"one", 4},
         {"one", 0},
         "1 ",
         "<a>1 two</a>",
         kActed},
        {"nothing typed", "<a>one</a>", {"one", 1}, {}, "", "<a>one</a>", kNothing},
        {"between the halves of a surrogate pair",
         "<a>x\xF0\x9F\x98\x80y</a>",
         {"x", 2},
         {},
         "Z",
         "<a>xZ\xF0\x9F\x98\x80y</a>",
         kActed},
    };
    for (const SEditCase& c : cases) {
        CheckEdit(c,
                  [&c](CMergeModel& model, STextPoint caret, STextPoint anchor, CUndoStep* step) {
                      return TypeText(model, caret, anchor, c.text, step);
                  });
    }
}

TEST(TextEditing, DeletingTextStaysInOneBlock) {
    const SEditCase cases[] = {
        {"part of a value", "<a x='abc'/>", {"'abc'", 2}, {"'abc'", 3}, "", "<a x='ac'/>", kActed},
        {"a value with its quotes",
         "<a x='abc'/>",
         {"'abc'", 0},
         {"'abc'", 5},
         "",
         "<a x=''/>",
         kActed},
        {"over two attributes",
         "<a x='1' y='2'/>",
         {"'1'", 1},
         {"'2'", 1},
         "",
         "<a x='1' y='2'/>",
         kNothing},
        {"over two lines of text",
         "<a>one\r\ntwo\nthree</a>",
         {"one", 1},
         {"three", 2},
         "",
         "<a>oree</a>",
         kActed},
        {"text and the comment after it",
         "<a>one<!--c--></a>",
         {"one", 1},
         {"<!--c", 5},
         "",
         "<a>one<!--c--></a>",
         kNothing},
        {"a whole comment line keeps its markers",
         "<a><!--abc--></a>",
         {"<!--abc", 0},
         {"abc-->", 6},
         "",
         "<a><!----></a>",
         kActed},
        {"joining two dashes of a comment",
         "<a><!--a-b-c--></a>",
         {"a-b", 2},
         {"a-b", 3},
         "",
         "<a><!--a-b-c--></a>",
         kNothing},
        {"no selection",
         "<a>one</a>",
         {"one", 1},
         {},
         "",
         "<a>one</a>",
         STextEditOutcome::kNoSelection},
    };
    for (const SEditCase& c : cases) {
        CheckEdit(c, DeleteSelectionAsText);
    }
}

TEST(TextEditing, DeleteKeyJoinsOnlyLinesOfOneBlock) {
    const SEditCase cases[] = {
        {"character of a value", "<a x='ab'/>", {"'ab'", 1}, {}, "", "<a x='b'/>", kActed},
        {"closing quote", "<a x='ab'/>", {"'ab'", 3}, {}, "", "<a x='ab'/>", kNothing},
        {"end of a text line", "<a>one\r\ntwo</a>", {"one", 3}, {}, "", "<a>onetwo</a>", kActed},
        {"end of text before a comment",
         "<a>one<!--c--></a>",
         {"one", 3},
         {},
         "",
         "<a>one<!--c--></a>",
         kNothing},
        {"end of a comment line",
         "<a><!--c\nd--></a>",
         {"<!--c", 5},
         {},
         "",
         "<a><!--cd--></a>",
         kActed},
        {"comment's end", "<a><!--c--></a>", {"c-->", 1}, {}, "", "<a><!--c--></a>", kNothing},
        {"selection", "<a>one</a>", {"one", 0}, {"one", 2}, "", "<a>e</a>", kActed},
        {"a surrogate pair", "<a>x\xF0\x9F\x98\x80y</a>", {"x", 1}, {}, "", "<a>xy</a>", kActed},
    };
    for (const SEditCase& c : cases) {
        CheckEdit(c, DeleteForward);
    }
}

TEST(TextEditing, BackspaceJoinsOnlyLinesOfOneBlock) {
    const SEditCase cases[] = {
        {"character of text", "<a>one</a>", {"one", 2}, {}, "", "<a>oe</a>", kActed},
        {"column 0 after a line of the block",
         "<a>one\ntwo</a>",
         {"two", 0},
         {},
         "",
         "<a>onetwo</a>",
         kActed},
        {"column 0 after the start tag", "<a>one</a>", {"one", 0}, {}, "", "<a>one</a>", kNothing},
        {"first character of a comment",
         "<a><!--c--></a>",
         {"<!--c", 4},
         {},
         "",
         "<a><!--c--></a>",
         kNothing},
        {"column 0 of a comment's second line",
         "<a><!--c\r\nd--></a>",
         {"d-->", 0},
         {},
         "",
         "<a><!--cd--></a>",
         kActed},
        {"opening quote", "<a x='ab'/>", {"'ab'", 1}, {}, "", "<a x='ab'/>", kNothing},
        {"a surrogate pair", "<a x='\xF0\x9F\x98\x80y'/>", {"'", 3}, {}, "", "<a x='y'/>", kActed},
    };
    for (const SEditCase& c : cases) {
        CheckEdit(c, DeleteBackward);
    }
}

TEST(TextEditing, TheCaretGoesToTheEndOfTheEdit) {
    enum EEdit { kType, kForward, kBackward };
    struct SCase {
        const char* name;
        const char* document;
        SPlace caret;
        EEdit edit;
        const char* text;
        // Where the caret goes, counted from the caret's line.
        TLine linesDown;
        std::uint32_t column;
    };
    const SCase cases[] = {
        {"typed into a value", "<a x='ab'/>", {"'ab'", 1}, kType, "\xC3\xA9\xF0\x9F\x98\x80", 0, 8},
        {"typed with breaks", "<a>one</a>", {"one", 1}, kType, "X\nYZ", 1, 2},
        {"typed into a comment's first line", "<a><!--c--></a>", {"<!--c", 5}, kType, "ZZ", 0, 7},
        {"typed into a comment's second line", "<a><!--c\nd--></a>", {"d-->", 1}, kType, "Z", 0, 2},
        {"refused keeps the caret", "<a x='ab'/>", {"x =", 1}, kType, "Z", 0, 1},
        {"Backspace joining lines", "<a>one\ntwo</a>", {"two", 0}, kBackward, "", TLine(-1), 3},
        {"Backspace joining a comment's lines",
         "<a><!--c\nd--></a>",
         {"d-->", 0},
         kBackward,
         "",
         TLine(-1),
         5},
        {"Delete keeps the caret", "<a>one\ntwo</a>", {"one", 3}, kForward, "", 0, 3},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        COperation operation(c.document, c.document, c.document, true);
        const STextPoint caret = Locate(operation, c.caret);
        STextEditOutcome outcome;
        switch (c.edit) {
        case kType:
            outcome = TypeText(operation.model, caret, {}, c.text, nullptr);
            break;
        case kForward:
            outcome = DeleteForward(operation.model, caret, {}, nullptr);
            break;
        case kBackward:
            outcome = DeleteBackward(operation.model, caret, {}, nullptr);
            break;
        }
        EXPECT_EQ(outcome.caret.line, caret.line + c.linesDown);
        EXPECT_EQ(outcome.caret.column, c.column);
    }
}

TEST(TextEditing, EditingADifferenceResolvesItToTheEditedSideUntilUndone) {
    COperation operation("<a x='1'/>", "<a x='2'/>", "<a x='3'/>", true);
    CBlockSelector& difference = operation.Difference(0);
    ASSERT_FALSE(difference.IsResolved());
    CUndoHistory history;
    CUndoStep* step = history.BeginAction({}, {});
    const STextEditOutcome outcome =
        TypeText(operation.model, Locate(operation, {"'3'", 2}), {}, "<", step);
    history.EndAction(step, outcome.caret);
    EXPECT_EQ(operation.Merged(), "<a x='3&lt;'/>");

    // An edit of the side already chosen leaves the resolution alone.
    step = history.BeginAction({}, {});
    DeleteBackward(operation.model, Locate(operation, {"'3<'", 3}), {}, step);
    ASSERT_NE(step->FirstRecord(), nullptr);
    EXPECT_EQ(step->FirstRecord()->NextSibling(), nullptr);
    history.EndAction(step, {});
    EXPECT_EQ(operation.Merged(), "<a x='3'/>");

    ASSERT_NE(history.Undo(operation.model), nullptr);
    ASSERT_NE(history.Undo(operation.model), nullptr);
    EXPECT_FALSE(difference.IsResolved());
    EXPECT_EQ(operation.Merged(), "<failed>");
    ASSERT_NE(history.Redo(operation.model), nullptr);
    EXPECT_EQ(operation.Merged(), "<a x='3&lt;'/>");
}

TEST(TextEditing, AnEditLeavesTheDocumentAndClonesAlone) {
    // A clone (as the XML clipboard holds) and the parsed node share the text
    // the block showed before the edit.
    COperation operation(std::nullopt, "<a x='ab'>one</a>", "<a x='ab'>one</a>", true);
    const STextPoint value = Locate(operation, {"'ab'", 2});
    const STextPoint text = Locate(operation, {"one", 3});
    auto* attribute = static_cast<CSimpleBlock*>(operation.model.Root().FindLine(value.line));
    auto* content = static_cast<CSimpleBlock*>(operation.model.Root().FindLine(text.line));
    const std::unique_ptr<CBlockBase> attributeClone(attribute->Clone());
    const std::unique_ptr<CBlockBase> contentClone(content->Clone());

    TypeText(operation.model, value, {}, "Z", nullptr);
    TypeText(operation.model, text, {}, "Z", nullptr);
    EXPECT_EQ(operation.Merged(), "<a x='aZb'>oneZ</a>");
    EXPECT_STREQ(attribute->node->Body(), "ab");
    EXPECT_STREQ(content->node->Body(), "one");
    EXPECT_STREQ(static_cast<CSimpleBlock*>(attributeClone.get())->text.Text(), "ab");
    NIO::TBuffer<0> out;
    ASSERT_TRUE(contentClone->WriteMerged(out));
    EXPECT_EQ(MergeTest::StreamContent(out), "one");
}

} // namespace
