#include "framework/job.h"
#include "framework/thread.h"
#include "merge_test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// The blocks' own operations may recurse along the depth: they run on a
// stack as large as the job threads have.
constexpr std::size_t kOperationStack = NSys::CJobThread::kStackSize;

TEST(DeepDocument, HundredThousandLevelsAreBuiltNumberedAndWritten) {
    constexpr int kDepth = 100000;
    std::string left;
    for (int level = 0; level < kDepth; ++level)
        left += "<a>";
    left += "x";
    for (int level = 0; level < kDepth; ++level)
        left += "</a>";
    std::string right = left;
    right[std::size_t(kDepth) * 3] = 'y';

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
    constexpr int kDepth = 100000;
    std::string base = "<r>";
    for (int level = 0; level < kDepth; ++level)
        base += "<a>";
    base += "x";
    for (int level = 0; level < kDepth; ++level)
        base += "</a>";
    base += "</r>";
    std::string changed = base;
    changed[3 + std::size_t(kDepth) * 3] = 'y';

    NSys::RunWithStack(kOperationStack, [&] {
        const MergeTest::COperation unchanged(base, "<r></r>", base, true);
        EXPECT_EQ(unchanged.model.ConflictCount(), 0u);
        EXPECT_EQ(unchanged.Merged(), "<r></r>");
        const MergeTest::COperation conflict(base, "<r></r>", changed, true);
        EXPECT_EQ(conflict.model.ConflictCount(), 1u);
    });
}

} // namespace
