#include "merge/content_block.h"
#include "merge/element_block.h"
#include "merge_test_support.h"

#include <gtest/gtest.h>
#include <optional>
#include <set>
#include <string>
#include <vector>

using MergeTest::COperation;

namespace {

// `count` sibling elements <i>0</i> ... with the texts of the positions in
// `changed` ending in "x" instead.
std::string Items(int count, std::set<int> changed = {}) {
    std::string items;
    for (int index = 0; index < count; ++index) {
        const std::string text = std::to_string(index) + (changed.count(index) ? "x" : "");
        items += "<i>" + text + "</i>";
    }
    return items;
}

// One element with `count` attributes a0="0" ...; those in `changed` end in "x".
std::string ManyAttributes(int count, std::set<int> changed = {}) {
    std::string element = "<r";
    for (int index = 0; index < count; ++index) {
        const std::string value = std::to_string(index) + (changed.count(index) ? "x" : "");
        element += " a" + std::to_string(index) + "=\"" + value + "\"";
    }
    return element + ">" + Items(3, changed) + "</r>";
}

// `depth` nested elements around `inner`.
std::string Nested(int depth, const std::string& inner) {
    std::string document;
    for (int level = 0; level < depth; ++level)
        document += "<d" + std::to_string(level % 3) + ">";
    document += inner;
    for (int level = depth; level-- > 0;)
        document += "</d" + std::to_string(level % 3) + ">";
    return document;
}

// Every block of the tree, attribute lists with their blocks included.
std::vector<const CBlockBase*> AllBlocks(const CBlockBase& root) {
    std::vector<const CBlockBase*> blocks;
    for (const NPtr::CNode* node = root.NextInSubtree(&root); node != nullptr;
         node = root.NextInSubtree(node)) {
        const auto* block = static_cast<const CBlockBase*>(node);
        blocks.push_back(block);
        if (block->IsElementBlock()) {
            const CAttributeList& attributes = static_cast<const CElementBlock*>(block)->Attributes();
            blocks.push_back(&attributes);
            for (const NPtr::CNode* attribute = attributes.NextInSubtree(&attributes);
                 attribute != nullptr; attribute = attributes.NextInSubtree(attribute))
                blocks.push_back(static_cast<const CBlockBase*>(attribute));
        }
    }
    return blocks;
}

// The lines a block shows itself: its line numbers, and for text and
// comments every line between their first and last.
std::vector<TLine> OwnLines(const CBlockBase& block) {
    if (dynamic_cast<const CContentBlock*>(&block) == nullptr || block.lines.empty())
        return {block.lines.begin(), block.lines.end()};
    std::vector<TLine> own;
    for (TLine n = block.lines.front(); n <= block.lines.back(); ++n)
        own.push_back(n);
    return own;
}

// Checks that every display line has exactly one block showing it, that the
// root finds that block, that stepping from a line's block finds the next
// line's, and that siblings start in ascending order.
void ExpectLinesFound(const CRootBlock& root, const std::string& what) {
    const TLine count = root.LineCount();
    std::vector<const CBlockBase*> owners(count, nullptr);
    const std::vector<const CBlockBase*> blocks = AllBlocks(root);
    for (const CBlockBase* block : blocks) {
        for (const TLine n : OwnLines(*block)) {
            ASSERT_LT(n, count) << what;
            EXPECT_EQ(owners[n], nullptr) << what << ": line " << n << " shown twice";
            owners[n] = block;
        }
        const CBlockBase* previous = nullptr;
        for (const CBlockBase* child = block->FirstChildBlock(); child != nullptr;
             child = child->NextSiblingBlock()) {
            if (previous != nullptr) {
                EXPECT_LT(previous->LastLine(), child->FirstLine()) << what;
            }
            previous = child;
        }
    }
    for (TLine n = 0; n < count; ++n) {
        ASSERT_NE(owners[n], nullptr) << what << ": no block shows line " << n;
        EXPECT_EQ(root.FindLine(n), owners[n]) << what << ": line " << n;
        const CBlockBase* next = owners[n]->NextLineBlock(n);
        EXPECT_EQ(next, n + 1 < count ? owners[n + 1] : nullptr) << what << ": after line " << n;
    }
    EXPECT_EQ(root.FindLine(count), nullptr) << what;
}

// After the blocks changed and before the lines are numbered again: the
// root answers for lines below `count` with blocks of the tree, or none.
void ExpectOnlyBlocksOfTheTree(const CRootBlock& root, TLine count, const std::string& what) {
    const std::vector<const CBlockBase*> blocks = AllBlocks(root);
    const std::set<const CBlockBase*> live(blocks.begin(), blocks.end());
    for (TLine n = 0; n < count; ++n) {
        const CBlockBase* found = root.FindLine(n);
        EXPECT_TRUE(found == nullptr || live.count(found) != 0) << what << ": line " << n;
    }
}

// The block of the middle line, or the nearest ancestor of it that is not an
// alternative of a selector: one that can be doubled without breaking a selector.
CBlockBase* MiddleBlock(const CRootBlock& root) {
    CBlockBase* block = root.FindLine(root.LineCount() / 2);
    while (block->ParentBlock()->IsBlockSelector())
        block = block->ParentBlock();
    return block;
}

struct SLineModel {
    std::string what;
    std::optional<std::string> base;
    std::string left;
    std::string right;
    bool merge;
};

TEST(LineLookup, EveryLineIsFoundAsTheBlocksNumberedIt) {
    const std::vector<SLineModel> models = {
        {"two-way compare", std::nullopt, "<r><a/><b x=\"1\"/><c>t</c></r>",
         "<r><b x=\"2\"/><c>u</c><d/></r>", false},
        {"three-way merge", "<r><a/><b x=\"1\">t</b></r>", "<r><b x=\"2\">t</b><c/></r>",
         "<r><a/><b x=\"1\">u</b></r>", true},
        {"many siblings, changes among them", "<r>" + Items(60) + "</r>",
         "<r>" + Items(60, {3, 30}) + "</r>", "<r>" + Items(60, {30, 59}) + "</r>", true},
        {"many siblings, two-way", std::nullopt, "<r>" + Items(40) + "<z/></r>",
         "<r>" + Items(40, {0, 17, 39}) + "</r>", false},
        {"many attributes with selectors", ManyAttributes(30), ManyAttributes(30, {1, 20}),
         ManyAttributes(30, {20, 29}), true},
        {"deep nesting with a wide bottom", Nested(40, Items(20)), Nested(40, Items(20, {5})),
         Nested(40, Items(20, {19})), true},
        {"text over lines, comments and a document type", std::nullopt,
         "<!DOCTYPE r>\n<r><!--c\nd-->one\ntwo\nthree<x/>" + Items(20) + "</r>",
         "<!DOCTYPE r>\n<r><!--c\ne-->one\nTWO\nthree<x/>" + Items(20, {7}) + "</r>", true},
    };
    for (const SLineModel& model : models) {
        COperation operation = model.base ? COperation(*model.base, model.left, model.right,
                                                       model.merge)
                                          : COperation(std::nullopt, model.left, model.right,
                                                       model.merge);
        CRootBlock& root = operation.model.Root();
        ASSERT_GT(operation.model.DifferenceCount(), 0u) << model.what;
        ExpectLinesFound(root, model.what);

        // Resolving chooses an alternative but keeps every line.
        for (CBlockSelector* selector : operation.model.Differences())
            operation.model.Resolve(*selector, kSideRight);
        ExpectLinesFound(root, model.what + ", resolved");

        // A block doubled in place moves every line after it; until the
        // lines are numbered again a lookup still answers only with blocks
        // of the tree.
        const TLine count = root.LineCount();
        CBlockBase* original = MiddleBlock(root);
        CBlockBase* copy = original->Clone();
        original->ParentBlock()->AddChild(copy, original);
        ExpectOnlyBlocksOfTheTree(root, count, model.what + ", block doubled");
        root.NumberAll();
        EXPECT_GT(root.LineCount(), count) << model.what;
        ExpectLinesFound(root, model.what + ", block doubled");

        // Deleting the copy gives the first numbering back.
        delete copy;
        ExpectOnlyBlocksOfTheTree(root, root.LineCount(), model.what + ", copy deleted");
        root.NumberAll();
        EXPECT_EQ(root.LineCount(), count) << model.what;
        ExpectLinesFound(root, model.what + ", copy deleted");
    }
}

// Each tab runs to its own stop, however many the line holds, and a stop the
// text has passed gives the tab no width.
TEST(LineLookup, TabsBeyondTheHundredthStillAdvance) {
    const std::string tabs150(150, '\t');
    struct SCase {
        const char* what;
        std::string text;
        // Line of the text in "<r>text</r>" (0 is the start tag).
        TLine line;
        // The x of the character after the last tab, and the line's right end.
        int afterTabs;
        int end;
    };
    // Default metrics: characters 8 wide, stops 32 apart; the text is
    // indented by one level (32).
    const std::vector<SCase> cases = {
        {"150 tabs", "a" + tabs150 + "b", 1, 32 + 150 * 32, 32 + 150 * 32 + 8},
        {"text past the first two stops", "abcdefgh\t\t\tb", 1, 128, 136},
        {"150 tabs on the second line", "a\n" + tabs150 + "b", 2, 32 + 150 * 32,
         32 + 150 * 32 + 8},
    };
    for (const SCase& test : cases) {
        const std::string document = "<r>" + test.text + "</r>";
        const COperation operation(std::nullopt, document, document, false);
        const CBlockBase* block = operation.model.Root().FindLine(test.line);
        ASSERT_NE(block, nullptr) << test.what;
        std::vector<SCharPlacement> placements;
        block->MeasureLine(test.line, placements);
        ASSERT_GE(placements.size(), 2u) << test.what;
        EXPECT_EQ(placements[placements.size() - 2].x, test.afterTabs) << test.what;
        EXPECT_EQ(placements.back().x, test.end) << test.what;
        for (std::size_t index = 0; index < placements.size(); ++index) {
            EXPECT_GE(placements[index].width, 0) << test.what << ": unit " << index;
            if (index > 0) {
                EXPECT_EQ(placements[index].x,
                          placements[index - 1].x + placements[index - 1].width)
                    << test.what << ": unit " << index;
            }
        }
    }
}

} // namespace
