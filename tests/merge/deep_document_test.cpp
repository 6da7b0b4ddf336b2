#include "merge_test_support.h"

#include <functional>
#include <gtest/gtest.h>
#include <pthread.h>
#include <string>

namespace {

// Runs `work` on a thread with a stack as large as an operation's thread
// has: the blocks' own operations may recurse along the depth.
void RunWithLargeStack(std::function<void()> work) {
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, std::size_t(1) << 30);
    pthread_t thread;
    const auto entry = [](void* argument) -> void* {
        (*static_cast<std::function<void()>*>(argument))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attributes, entry, &work), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

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

    RunWithLargeStack([&] {
        MergeTest::COperation operation(std::nullopt, left, right, true);
        EXPECT_EQ(operation.model.LineCount(), 2u * kDepth + 2);
        ASSERT_EQ(operation.model.DifferenceCount(), 1u);
        operation.model.Resolve(operation.Difference(0), kSideRight);
        EXPECT_EQ(operation.Merged(), right);
    });
}

} // namespace
