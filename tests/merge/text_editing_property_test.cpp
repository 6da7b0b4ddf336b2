#include "framework/result.h"
#include "merge/text_editing.h"
#include "merge/undo_history.h"
#include "merge/xml_clipboard.h"
#include "merge/xml_editing.h"
#include "merge_test_support.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

using MergeTest::COperation;

// Pieces of typed text: markup characters, references, dashes (which a
// comment cannot hold two of in a row), line breaks of both
// kinds and characters of two and four UTF-8 bytes (one of them a surrogate
// pair in the displayed columns).
constexpr const char* kTypedPieces[] = {
    "x",     "<", "&", "'", "\"", "\n", "\r\n", "\xC3\xA9", "\xF0\x9F\x98\x80",
    "&amp;", " ", "-", "--"};

// A root with elements, attributes, text over several lines and comments;
// `changed` gives some of them other values, as one side's edits would.
std::string Document(std::uint32_t seed, bool changed) {
    std::mt19937 random(seed);
    std::string document = "<r>";
    const int children = 2 + static_cast<int>(random() % 4);
    for (int i = 0; i < children; ++i) {
        const std::string mark = changed && random() % 2 == 0 ? "L" : "";
        switch (random() % 3) {
        case 0:
            document += "<e a='v" + mark + "' b=\"w\">t\r\nu" + mark + "</e>";
            break;
        case 1:
            document += "<!--c\nd" + mark + "-->";
            break;
        default:
            document += "<f>one" + mark + "\ntwo</f>";
            break;
        }
    }
    return document + "</r>";
}

bool Parses(const std::string& bytes) {
    NXML::CDoc doc;
    return MergeTest::ParseBytes(doc, bytes) == NResult::kOk;
}

std::uint32_t LineLength(const CMergeModel& model, TLine line) {
    NString::TStr<char16_t> text;
    if (const CBlockBase* block = model.Root().FindLine(line))
        block->GetLineText(text, line, nullptr);
    return static_cast<std::uint32_t>(text.Length());
}

STextPoint RandomPoint(const CMergeModel& model, std::mt19937& random) {
    const TLine line = random() % model.LineCount();
    return {line, static_cast<std::uint32_t>(random() % (LineLength(model, line) + 1))};
}

// One random edit (of text, or of whole blocks) as one undo action; whether
// it changed the result.
bool RandomEdit(CMergeModel& model, CUndoHistory& history, std::mt19937& random, int& blockEdits) {
    const STextPoint caret = RandomPoint(model, random);
    STextPoint anchor;
    if (random() % 2 == 0) {
        anchor = RandomPoint(model, random);
        anchor.line = std::min<TLine>(caret.line + random() % 3, model.LineCount() - 1);
        anchor.column = std::min(anchor.column, LineLength(model, anchor.line));
    }
    CUndoStep* step = history.BeginAction(caret, anchor);
    STextEditOutcome outcome;
    switch (random() % 6) {
    case 4:
        outcome.result = DeleteSelectionAsXML(model, caret, anchor, step) == kDeletedBlocks
                             ? STextEditOutcome::kActed
                             : STextEditOutcome::kNothingChanged;
        blockEdits += outcome.result == STextEditOutcome::kActed;
        outcome.caret = std::min(caret, anchor.IsSet() ? anchor : caret);
        break;
    case 5: {
        CXMLClipboard copied;
        const STextPoint from = RandomPoint(model, random);
        copied.Fill(model, from,
                    {std::min<TLine>(from.line + random() % 4, model.LineCount() - 1), 0});
        outcome.result = PasteXML(model, copied, caret, anchor, step)
                             ? STextEditOutcome::kActed
                             : STextEditOutcome::kNothingChanged;
        blockEdits += outcome.result == STextEditOutcome::kActed;
        outcome.caret = caret;
        break;
    }
    case 0: {
        std::string text;
        for (int pieces = 1 + static_cast<int>(random() % 3); pieces > 0; --pieces)
            text += kTypedPieces[random() % std::size(kTypedPieces)];
        outcome = TypeText(model, caret, anchor, text, step);
        break;
    }
    case 1:
        outcome = DeleteSelectionAsText(model, caret, anchor, step);
        break;
    case 2:
        outcome = DeleteForward(model, caret, anchor, step);
        break;
    default:
        outcome = DeleteBackward(model, caret, anchor, step);
        break;
    }
    history.EndAction(step, outcome.caret);
    return outcome.result == STextEditOutcome::kActed;
}

TEST(TextEditingProperty, UndoingEveryEditGivesTheMergeBackAndRedoingGivesTheEdits) {
    int changes = 0;
    int blockEdits = 0;
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        const std::string base = Document(seed, false);
        COperation operation(base, Document(seed, true), base, true);
        const std::string mergedBefore = operation.Merged();
        const std::string renderingBefore = operation.Rendering();
        ASSERT_TRUE(Parses(mergedBefore)) << mergedBefore;

        std::mt19937 random(seed);
        CUndoHistory history;
        for (int edit = 0; edit < 40; ++edit) {
            SCOPED_TRACE(edit);
            const std::string renderingBeforeEdit = operation.Rendering();
            const bool acted = RandomEdit(operation.model, history, random, blockEdits);
            const std::string merged = operation.Merged();
            ASSERT_TRUE(Parses(merged)) << merged;
            // Each edit undone and redone on its own, too.
            const std::string rendering = operation.Rendering();
            if (acted) {
                ASSERT_NE(history.Undo(operation.model), nullptr);
                ASSERT_EQ(operation.Rendering(), renderingBeforeEdit);
                ASSERT_NE(history.Redo(operation.model), nullptr);
                ASSERT_EQ(operation.Rendering(), rendering);
            }
        }
        const std::string mergedAfter = operation.Merged();
        const std::string renderingAfter = operation.Rendering();
        changes += mergedAfter != mergedBefore;

        while (history.Undo(operation.model) != nullptr) {
        }
        EXPECT_EQ(operation.Merged(), mergedBefore);
        EXPECT_EQ(operation.Rendering(), renderingBefore);
        while (history.Redo(operation.model) != nullptr) {
        }
        EXPECT_EQ(operation.Merged(), mergedAfter);
        EXPECT_EQ(operation.Rendering(), renderingAfter);
    }
    // The edits reached the editable text: most merges came out changed.
    EXPECT_GT(changes, 30);
    // Whole blocks were deleted and pasted too, not only refused.
    EXPECT_GT(blockEdits, 100) << blockEdits;
}

} // namespace
