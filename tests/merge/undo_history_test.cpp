#include "merge/block_selector.h"
#include "merge/undo_history.h"
#include "merge_test_support.h"

#include <gtest/gtest.h>

namespace {

using MergeTest::COperation;

// Removes the root element's child `index` as an XML deletion records it.
CUndoStep* DeleteChild(CUndoHistory& history, CMergeModel& model, CBlockBase& parent,
                       std::uint32_t index) {
    CUndoStep* step = history.BeginAction({}, {});
    auto* block = static_cast<CBlockBase*>(parent.ChildAt(index));
    CUndoRecord* record = step->AddRecord(CUndoRecord::kBlockDeleted);
    record->block = block;
    if (CBlockBase* next = block->NextSiblingBlock())
        record->SetPlace(next, false);
    else
        record->SetPlace(&parent, true);
    record->TakeBlock();
    model.NumberAll();
    model.CollectSelectors();
    history.EndAction(step, {});
    return step;
}

CBlockBase& RootElement(const COperation& operation) {
    const CBlockBase& root = operation.model.Root();
    for (CBlockBase* block = root.FirstChildBlock(); block != nullptr;
         block = block->NextSiblingBlock())
        if (block->IsElementBlock())
            return *block;
    throw std::logic_error("no root element");
}

TEST(UndoHistory, UndoAndRedoPutDeletedBlocksBackInTheirOrder) {
    COperation operation("<a><b/><c x='1'/><d/></a>", "<a><b/><c x='2'/><d/></a>",
                         "<a><b/><c x='1'/><d/></a>", true);
    const std::string before = operation.Rendering();
    CUndoHistory history;
    CBlockBase& root = RootElement(operation);
    const auto children = root.ChildCount();
    // The last child first, then the first: places both at the end and
    // before a sibling are used.
    DeleteChild(history, operation.model, root, children - 1);
    DeleteChild(history, operation.model, root, 1);
    const std::string after = operation.Rendering();
    EXPECT_NE(after, before);
    EXPECT_EQ(root.ChildCount(), children - 2);

    ASSERT_NE(history.Undo(operation.model), nullptr);
    ASSERT_NE(history.Undo(operation.model), nullptr);
    EXPECT_EQ(history.Undo(operation.model), nullptr);
    EXPECT_EQ(operation.Rendering(), before);
    EXPECT_EQ(operation.model.DifferenceCount(), 1u);

    ASSERT_NE(history.Redo(operation.model), nullptr);
    ASSERT_NE(history.Redo(operation.model), nullptr);
    EXPECT_EQ(history.Redo(operation.model), nullptr);
    EXPECT_EQ(operation.Rendering(), after);
}

TEST(UndoHistory, AnActionWithoutChangesLeavesNoStepAndKeepsRedo) {
    COperation operation(std::nullopt, "<a><b/><c/></a>", "<a><b/><c/></a>", true);
    CUndoHistory history;
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.Undo(operation.model), nullptr);
    DeleteChild(history, operation.model, RootElement(operation), 0);
    EXPECT_TRUE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    history.Undo(operation.model);
    EXPECT_TRUE(history.CanRedo());

    history.EndAction(history.BeginAction({}, {}), {});
    EXPECT_TRUE(history.CanRedo());

    DeleteChild(history, operation.model, RootElement(operation), 1);
    EXPECT_FALSE(history.CanRedo());
    EXPECT_TRUE(history.CanUndo());
    history.Clear();
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
}

TEST(UndoHistory, UndoGivesAnEditedDifferenceItsResolutionBack) {
    COperation operation("<a x='1'/>", "<a x='2'/>", "<a x='3'/>", true);
    CBlockSelector& selector = operation.Difference(0);
    ASSERT_FALSE(selector.IsResolved());
    CUndoHistory history;
    CUndoStep* step = history.BeginAction({}, {});
    CUndoRecord* record = step->AddRecord(CUndoRecord::kResolutionChanged);
    record->block = &selector;
    record->resolutionBefore = selector.resolution;
    operation.model.Resolve(selector, kSideLeft);
    record->resolutionAfter = selector.resolution;
    history.EndAction(step, {});

    history.Undo(operation.model);
    EXPECT_FALSE(selector.IsResolved());
    history.Redo(operation.model);
    EXPECT_EQ(selector.resolution, record->resolutionAfter);
}

TEST(UndoHistory, ACurrentDifferenceThatLeavesTheTreeIsNoLongerCurrent) {
    COperation operation("<a><b x='1'/></a>", "<a><b x='2'/></a>", "<a><b x='1'/></a>", true);
    ASSERT_TRUE(operation.model.GoNext(false));
    CUndoHistory history;
    DeleteChild(history, operation.model, RootElement(operation), 0);
    EXPECT_EQ(operation.model.CurrentDifference(), nullptr);
    EXPECT_EQ(operation.model.CurrentIndex(), -1);
}

} // namespace
