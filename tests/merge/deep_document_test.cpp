#include "framework/job.h"
#include "framework/thread.h"
#include "merge_test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// The blocks' own operations may recurse along the depth: they run on a
// stack as large as the job threads have.
constexpr std::size_t kOperationStack = NSys::CJobThread::kStackSize;
constexpr std::size_t kDepth = 100000;

// The text "x" inside kDepth nested elements, the text at kDepth * 3.
std::string NestedText() {
    std::string document;
    for (std::size_t level = 0; level < kDepth; ++level)
        document += "<a>";
    document += "x";
    for (std::size_t level = 0; level < kDepth; ++level)
        document += "</a>";
    return document;
}

TEST(DeepDocument, HundredThousandLevelsAreBuiltNumberedAndWritten) {
    const std::string left = NestedText();
    std::string right = left;
    right[kDepth * 3] = 'y';

    NSys::RunWithStack(kOperationStack, [&] {
        MergeTest::COperation operation(std::nullopt, left, right, true);
        EXPECT_EQ(operation.model.LineCount(), 2u * kDepth + 2);
        ASSERT_EQ(operation.model.DifferenceCount(), 1u);
        operation.model.Resolve(operation.Difference(0), kSideRight);
        EXPECT_EQ(operation.Merged(), right);
    });
}

// Deleting the deep element on one side is weighed against its whole
// subtree on the other: unchanged, the deletion is taken; changed at the
// bottom, it is a conflict.
TEST(DeepDocument, DeletionAgainstAChangeHundredThousandLevelsDown) {
    const std::string base = "<r>" + NestedText() + "</r>";
    std::string changed = base;
    changed[3 + kDepth * 3] = 'y';

    NSys::RunWithStack(kOperationStack, [&] {
        const MergeTest::COperation unchanged(base, "<r></r>", base, true);
        EXPECT_EQ(unchanged.model.ConflictCount(), 0u);
        EXPECT_EQ(unchanged.Merged(), "<r></r>");
        const MergeTest::COperation conflict(base, "<r></r>", changed, true);
        EXPECT_EQ(conflict.model.ConflictCount(), 1u);
    });
}

} // namespace
