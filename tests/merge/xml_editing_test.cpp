#include "merge/block_selector.h"
#include "merge/undo_history.h"
#include "merge/xml_clipboard.h"
#include "merge/xml_editing.h"
#include "merge_test_support.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

using MergeTest::COperation;

// Lines: 0 <a, 1 x, 2 y, 3 >, 4 <b, 5 z, 6 >, 7 text, 8 </b>, 9 <c/>,
// 10 comment, 11 </a>.
constexpr const char* kDocument = "<a x='1' y='2'><b z='3'>text</b><c/><!--n--></a>";
// Lines: 0 <a>, 1 <b/>, 2 <c, 3-5 the alternatives of x, 6 />, 7 <d/>, 8 </a>.
constexpr const char* kBase = "<a><b/><c x='1'/><d/></a>";
constexpr const char* kLeft = "<a><b/><c x='2'/><d/></a>";
constexpr const char* kRight = "<a><b/><c x='3'/><d/></a>";

COperation Unchanged(const char* document) {
    return COperation(std::nullopt, document, document, true);
}

COperation Conflict() {
    return COperation(kBase, kLeft, kRight, true);
}

STextPoint At(TLine line, std::uint32_t column) {
    return {line, column};
}

// A selection of whole lines, from the start of `first` to the end of `last`.
struct SSelection {
    STextPoint caret;
    STextPoint anchor;
};

SSelection Lines(TLine first, TLine last) {
    return {At(last, 1), At(first, 0)};
}

SSelection Caret(TLine line) {
    return {At(line, 0), {}};
}

// Runs `edit` as one undo action and checks what it wrote, then that undo
// gives back the result and rendering from before and redo the ones after.
template <typename FEdit>
void ExpectUndoableEdit(COperation& operation, FEdit edit, const std::string& merged,
                        const char* what) {
    const std::string mergedBefore = operation.Merged();
    const std::string renderingBefore = operation.Rendering();
    CUndoHistory history;
    CUndoStep* step = history.BeginAction({}, {});
    edit(step);
    history.EndAction(step, {});
    EXPECT_EQ(operation.Merged(), merged) << what;
    const std::string renderingAfter = operation.Rendering();
    ASSERT_NE(history.Undo(operation.model), nullptr) << what;
    EXPECT_EQ(operation.Merged(), mergedBefore) << what;
    EXPECT_EQ(operation.Rendering(), renderingBefore) << what;
    ASSERT_NE(history.Redo(operation.model), nullptr) << what;
    EXPECT_EQ(operation.Merged(), merged) << what;
    EXPECT_EQ(operation.Rendering(), renderingAfter) << what;
}

TEST(ExpandToBlocks, WidensALineRangeToTheBlocksItTouches) {
    const COperation operation = Unchanged(kDocument);
    struct SCase {
        const char* what;
        TLine line1;
        TLine line2;
        TLine first;
        TLine last;
    };
    const SCase cases[] = {
        {"one attribute", 1, 1, 1, 1},
        {"two attributes of one element", 1, 2, 1, 2},
        {"an attribute and an attribute of a child: the element", 2, 5, 0, 11},
        {"the end of a start tag and an attribute of a child", 3, 5, 0, 11},
        {"from an element into a sibling", 4, 9, 4, 9},
        {"lines of one element: all of it", 6, 6, 4, 8},
        {"content of a child and a later sibling: both siblings", 7, 10, 4, 10},
        {"an attribute and the content of its element", 5, 7, 4, 8},
        {"past the last line: the first block", 9, 99, 9, 9},
        {"no block on the first line: unchanged", 50, 60, 50, 60},
    };
    for (const SCase& test : cases) {
        const SLineRange range = ExpandToBlocks(operation.model.Root(), test.line1, test.line2);
        EXPECT_EQ(range.first, test.first) << test.what;
        EXPECT_EQ(range.last, test.last) << test.what;
    }
}

TEST(DeleteSelectionAsXML, RemovesWholeBlocksAndUndoPutsThemBack) {
    struct SCase {
        const char* what;
        bool conflict;
        SSelection selection;
        const char* merged;
    };
    const SCase cases[] = {
        {"an element", false, Lines(9, 9), "<a x='1' y='2'><b z='3'>text</b><!--n--></a>"},
        {"an attribute", false, {At(2, 3), At(2, 1)}, "<a x='1'><b z='3'>text</b><c/><!--n--></a>"},
        {"the last child", false, Lines(10, 10), "<a x='1' y='2'><b z='3'>text</b><c/></a>"},
        {"from inside content to a later sibling",
         false,
         {At(10, 2), At(7, 1)},
         "<a x='1' y='2'></a>"},
        {"a selection ending at column 0 leaves that line",
         false,
         {At(10, 0), At(9, 0)},
         "<a x='1' y='2'><b z='3'>text</b><!--n--></a>"},
        {"inside one alternative: the whole difference",
         true,
         {At(4, 2), At(4, 1)},
         "<a><b/><c/><d/></a>"},
    };
    for (const SCase& test : cases) {
        COperation operation = test.conflict ? Conflict() : Unchanged(kDocument);
        ExpectUndoableEdit(
            operation,
            [&](CUndoStep* step) {
                EXPECT_EQ(DeleteSelectionAsXML(operation.model, test.selection.caret,
                                               test.selection.anchor, step),
                          kDeletedBlocks);
            },
            test.merged, test.what);
    }
}

TEST(DeleteSelectionAsXML, WithoutASelectionRecordsNothing) {
    COperation operation = Unchanged(kDocument);
    CUndoHistory history;
    CUndoStep* step = history.BeginAction({}, {});
    EXPECT_EQ(DeleteSelectionAsXML(operation.model, At(9, 1), {}, step), kNothingSelected);
    EXPECT_EQ(DeleteSelectionAsXML(operation.model, At(9, 1), At(9, 1), step), kNothingSelected);
    history.EndAction(step, {});
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(operation.Merged(), kDocument);
}

TEST(DeleteSelectionAsXML, LeavesAValidCurrentDifferenceOrNone) {
    COperation operation("<a><b x='1'/><c x='1'/></a>", "<a><b x='2'/><c x='2'/></a>",
                         "<a><b x='1'/><c x='3'/></a>", true);
    ASSERT_EQ(operation.model.DifferenceCount(), 2u);
    ASSERT_TRUE(operation.model.GoNext(false));
    ASSERT_TRUE(operation.model.GoNext(false));
    CBlockSelector* second = operation.model.CurrentDifference();
    // The first difference goes: the second stays current at index 0.
    const TLine firstLine = operation.Difference(0).FirstLine();
    DeleteSelectionAsXML(operation.model, At(firstLine, 1), At(firstLine, 0), nullptr);
    ASSERT_EQ(operation.model.DifferenceCount(), 1u);
    EXPECT_EQ(operation.model.CurrentIndex(), 0);
    EXPECT_EQ(operation.model.CurrentDifference(), second);
    // The current one goes: none is current.
    DeleteSelectionAsXML(operation.model, At(second->FirstLine(), 1), At(second->FirstLine(), 0),
                         nullptr);
    EXPECT_EQ(operation.model.DifferenceCount(), 0u);
    EXPECT_EQ(operation.model.CurrentIndex(), -1);
    EXPECT_EQ(operation.model.CurrentDifference(), nullptr);
}

// Lines: 0 <a, 1 x, 2 >, 3 <b, 4 x, 5 z, 6 />, 7 </a>.
constexpr const char* kSameNames = "<a x='1'><b x='2' z='3'/></a>";

TEST(PasteXML, InsertsWhereTheLineSaysAndUndoTakesItOut) {
    struct SCase {
        const char* what;
        const char* document;
        SSelection copied;
        SSelection target;
        // Null where the paste is refused.
        const char* merged;
    };
    const SCase cases[] = {
        {"attributes onto a content line", kDocument, Lines(1, 1), Caret(7), nullptr},
        {"attributes onto a start line: appended", kDocument, Lines(1, 1), Caret(4),
         "<a x='1' y='2'><b z='3' x='1'>text</b><c/><!--n--></a>"},
        // Written in the order of the element's own attributes, the new one last.
        {"attributes onto an attribute line", kDocument, Lines(2, 2), Caret(5),
         "<a x='1' y='2'><b z='3' y='2'>text</b><c/><!--n--></a>"},
        {"elements onto an end tag: last child", kDocument, Lines(9, 9), Caret(8),
         "<a x='1' y='2'><b z='3'>text<c/></b><c/><!--n--></a>"},
        {"elements onto a start line: before the element", kDocument, Lines(9, 9), Caret(4),
         "<a x='1' y='2'><c/><b z='3'>text</b><c/><!--n--></a>"},
        {"elements onto content: before it", kDocument, Lines(10, 10), Caret(7),
         "<a x='1' y='2'><b z='3'><!--n-->text</b><c/><!--n--></a>"},
        {"elements onto an attribute line", kDocument, Lines(9, 9), Caret(5), nullptr},
        {"over a selection: where it stood", kDocument, Lines(9, 9), Lines(4, 8),
         "<a x='1' y='2'><c/><c/><!--n--></a>"},
        {"over a selection from an end tag: not inside the deleted element",
         kDocument,
         Lines(10, 10),
         {At(9, 1), At(8, 0)},
         "<a x='1' y='2'><!--n--><!--n--></a>"},
        {"over the last children: at the end", kDocument, Lines(4, 8), Lines(9, 10),
         "<a x='1' y='2'><b z='3'>text</b><b z='3'>text</b></a>"},
        {"elements over selected attributes", kDocument, Lines(9, 9), Lines(1, 1), nullptr},
        {"an attribute onto an element that has one of its name", kSameNames, Lines(1, 1), Caret(3),
         nullptr},
        {"an attribute next to one of its name", kSameNames, Lines(1, 1), Caret(5), nullptr},
        {"an attribute over the one of its name", kSameNames, Lines(1, 1), Lines(4, 4),
         "<a x='1'><b x='1' z='3'/></a>"},
    };
    for (const SCase& test : cases) {
        COperation operation = Unchanged(test.document);
        CXMLClipboard clipboard;
        ASSERT_TRUE(clipboard.Fill(operation.model, test.copied.caret, test.copied.anchor))
            << test.what;
        if (test.merged == nullptr) {
            const std::string rendering = operation.Rendering();
            CUndoHistory history;
            CUndoStep* step = history.BeginAction({}, {});
            EXPECT_FALSE(
                PasteXML(operation.model, clipboard, test.target.caret, test.target.anchor, step))
                << test.what;
            history.EndAction(step, {});
            EXPECT_FALSE(history.CanUndo()) << test.what;
            EXPECT_EQ(operation.Merged(), test.document) << test.what;
            EXPECT_EQ(operation.Rendering(), rendering) << test.what;
            continue;
        }
        ExpectUndoableEdit(
            operation,
            [&](CUndoStep* step) {
                EXPECT_TRUE(PasteXML(operation.model, clipboard, test.target.caret,
                                     test.target.anchor, step));
            },
            test.merged, test.what);
    }
}

TEST(PasteXML, AttributesPastedOnAnAttributeLineAreShownBeforeIt) {
    COperation operation = Unchanged(kDocument);
    CXMLClipboard clipboard;
    ASSERT_TRUE(clipboard.Fill(operation.model, At(2, 1), At(2, 0)));
    ASSERT_TRUE(PasteXML(operation.model, clipboard, At(5, 2), {}, nullptr));
    NString::TStr<char16_t> line;
    operation.model.Root().GetLineText(line, 5, nullptr);
    EXPECT_EQ(std::u16string(line.Text()), u"y = '2'");
    operation.model.Root().GetLineText(line, 6, nullptr);
    EXPECT_EQ(std::u16string(line.Text()), u"z = '3'");
}

TEST(PasteXML, AttributesOntoAPlaceholderAreRefused) {
    // Lines: 0 <a>, 1-3 the alternatives of c (the right one a placeholder), 4 <d/>.
    COperation operation("<a><c/><d/></a>", "<a><c/><d/></a>", "<a><d/></a>", true);
    const COperation source = Unchanged("<b x='1'/>");
    CXMLClipboard clipboard;
    ASSERT_TRUE(clipboard.Fill(source.model, At(1, 1), At(1, 0)));
    const std::string rendering = operation.Rendering();
    EXPECT_FALSE(PasteXML(operation.model, clipboard, At(3, 0), {}, nullptr));
    EXPECT_EQ(operation.Rendering(), rendering);
    EXPECT_TRUE(PasteXML(operation.model, clipboard, At(2, 0), {}, nullptr))
        << "the base's element takes them";
}

TEST(PasteXML, APastedDifferenceIsANewDifference) {
    COperation operation = Conflict();
    CXMLClipboard clipboard;
    ASSERT_TRUE(clipboard.Fill(operation.model, At(4, 1), At(4, 0)));
    ASSERT_TRUE(clipboard.FirstBlock()->IsBlockSelector())
        << "an alternative copies its difference";
    ASSERT_TRUE(PasteXML(operation.model, clipboard, At(7, 0), {}, nullptr));
    ASSERT_EQ(operation.model.DifferenceCount(), 2u);
    operation.model.Resolve(operation.Difference(0), kSideLeft);
    operation.model.Resolve(operation.Difference(1), kSideRight);
    EXPECT_EQ(operation.Merged(), "<a><b/><c x='2'/><d x='3'/></a>");
}

TEST(PasteXML, AnEmptyClipboardPastesNothing) {
    COperation operation = Unchanged(kDocument);
    const CXMLClipboard clipboard;
    EXPECT_FALSE(PasteXML(operation.model, clipboard, At(4, 0), {}, nullptr));
    EXPECT_EQ(operation.Merged(), kDocument);
}

TEST(XMLEditing, ACompareIsNotEdited) {
    const COperation merge = Unchanged(kDocument);
    COperation compare(std::nullopt, kDocument, kDocument, false);
    CXMLClipboard clipboard;
    ASSERT_TRUE(clipboard.Fill(merge.model, At(9, 1), At(9, 0)));
    const std::string rendering = compare.Rendering();
    EXPECT_EQ(DeleteSelectionAsXML(compare.model, At(9, 1), At(9, 0), nullptr), kNothingSelected);
    EXPECT_FALSE(PasteXML(compare.model, clipboard, At(4, 0), {}, nullptr));
    EXPECT_EQ(compare.Rendering(), rendering);
}

TEST(XMLClipboard, ACopyInACompareOrWithoutASelectionKeepsTheContent) {
    COperation merge = Unchanged(kDocument);
    COperation compare(std::nullopt, kDocument, kDocument, false);
    CXMLClipboard clipboard;
    ASSERT_TRUE(clipboard.Fill(merge.model, At(9, 2), At(4, 0)));
    const CBlockBase* first = clipboard.FirstBlock();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(first->NextSiblingBlock(), nullptr);
    EXPECT_EQ(first->NextSiblingBlock()->NextSiblingBlock(), nullptr) << "b and c";

    EXPECT_FALSE(clipboard.Fill(compare.model, At(10, 2), At(10, 0)));
    EXPECT_FALSE(clipboard.Fill(merge.model, At(10, 2), {}));
    EXPECT_EQ(clipboard.FirstBlock(), first);
    clipboard.Clear();
    EXPECT_TRUE(clipboard.IsEmpty());
}

} // namespace
