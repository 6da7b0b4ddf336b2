#include "framework/small_block_pools.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using NMem::CSmallBlockPools;

constexpr std::size_t kLargestClassSize = 976;
constexpr int kLargestClass = 63;

std::vector<void*> AllocateMany(CSmallBlockPools& pools, std::size_t size, std::size_t count) {
    std::vector<void*> blocks;
    for (std::size_t i = 0; i < count; ++i) {
        blocks.push_back(pools.Allocate(size));
        EXPECT_NE(blocks.back(), nullptr);
    }
    return blocks;
}

TEST(SizeClasses, RoundSmallRequestsToFourAndLargerToSixteen) {
    struct SCase {
        std::size_t size;
        int sizeClass;
        std::size_t blockSize;
        std::size_t blocksPerPage;
    };
    const SCase cases[] = {{1, 0, 4, 4096},     {4, 0, 4, 4096},    {5, 1, 8, 4096},
                           {8, 1, 8, 4096},     {9, 2, 12, 4096},   {12, 2, 12, 4096},
                           {13, 3, 16, 4096},   {16, 3, 16, 4096},  {17, 4, 32, 4096},
                           {32, 4, 32, 4096},   {33, 5, 48, 4096},  {49, 6, 64, 2048},
                           {961, 63, 976, 256}, {976, 63, 976, 256}};
    for (const SCase& c : cases) {
        EXPECT_EQ(NMem::SizeClassOf(c.size), c.sizeClass) << "size " << c.size;
        EXPECT_EQ(NMem::ClassBlockSize(c.sizeClass), c.blockSize) << "size " << c.size;
        EXPECT_EQ(NMem::BlocksPerPage(c.sizeClass), c.blocksPerPage) << "size " << c.size;
    }
    EXPECT_EQ(NMem::SizeClassOf(0), -1);
    EXPECT_EQ(NMem::SizeClassOf(977), -1);
    CSmallBlockPools pools;
    EXPECT_EQ(pools.Allocate(0), nullptr);
    EXPECT_EQ(pools.Allocate(977), nullptr);
}

// A batch hands out what single allocations would, in the same order, across
// a page boundary and around a released block.
TEST(SmallBlockPools, BatchesMatchSingleAllocations) {
    CSmallBlockPools single;
    CSmallBlockPools batched;
    const std::size_t perPage = NMem::BlocksPerPage(kLargestClass);
    const std::size_t count = perPage + 40;
    std::vector<void*> expected = AllocateMany(single, kLargestClassSize, count);
    std::vector<void*> blocks(count);
    ASSERT_EQ(batched.AllocateBatch(kLargestClass, blocks.data(), count), count);
    auto offsetsIn = [](CSmallBlockPools& pools, const std::vector<void*>& list) {
        std::vector<std::ptrdiff_t> offsets;
        for (void* block : list)
            offsets.push_back(static_cast<const char*>(block) -
                              static_cast<const char*>(pools.PageOf(block)));
        return offsets;
    };
    EXPECT_EQ(offsetsIn(batched, blocks), offsetsIn(single, expected));
    EXPECT_EQ(batched.PageOf(blocks[perPage - 1]), batched.PageOf(blocks[0]));
    EXPECT_NE(batched.PageOf(blocks[perPage]), batched.PageOf(blocks[0]));

    single.Release(expected[perPage + 3]);
    batched.ReleaseBatch(kLargestClass, &blocks[perPage + 3], 1);
    std::vector<void*> more(5);
    ASSERT_EQ(batched.AllocateBatch(kLargestClass, more.data(), more.size()), more.size());
    EXPECT_EQ(more[0], blocks[perPage + 3]);
    EXPECT_EQ(offsetsIn(batched, more),
              offsetsIn(single, AllocateMany(single, kLargestClassSize, 5)));
}

TEST(SmallBlockPools, ReleaseRejectsBlocksFromElsewhere) {
    CSmallBlockPools pools;
    CSmallBlockPools other;
    void* pooled = pools.Allocate(24);
    int onStack = 0;
    EXPECT_FALSE(other.Release(pooled));
    EXPECT_FALSE(pools.Release(&onStack));
    EXPECT_EQ(pools.PageOf(&onStack), nullptr);
    EXPECT_TRUE(pools.Release(pooled));
}

} // namespace
