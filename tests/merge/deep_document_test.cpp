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

} // namespace
