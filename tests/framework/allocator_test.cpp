#include "framework/allocator.h"
#include "framework/result.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define QUILLMERE_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLMERE_TEST_ASAN 1
#endif
#endif

#ifdef QUILLMERE_TEST_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace {

struct SBlock {
    unsigned char* bytes;
    std::size_t size;
    unsigned char seed;
};

unsigned char PatternByte(unsigned char seed, std::size_t offset) {
    return static_cast<unsigned char>(seed * 31 + offset * 7 + 1);
}

SBlock AllocateFilled(std::size_t size, unsigned char seed) {
    SBlock block{static_cast<unsigned char*>(NMem::Allocate(size)), size, seed};
    for (std::size_t i = 0; i < size; ++i)
        block.bytes[i] = PatternByte(seed, i);
    return block;
}

// True when no other block has written over this one.
bool HoldsPattern(const SBlock& block) {
    for (std::size_t i = 0; i < block.size; ++i)
        if (block.bytes[i] != PatternByte(block.seed, i))
            return false;
    return true;
}

std::uintptr_t Address(const void* block) {
    return reinterpret_cast<std::uintptr_t>(block);
}

// Taken during static initialisation, long before anything could call Start().
void* const g_staticBlock = NMem::Allocate(32);

struct SPooledRecord : NMem::CPooled {
    std::uint64_t values[5] = {1, 2, 3, 4, 5};
};

// Blocks are pooled before Start(), after Stop() and for pooled classes.
TEST(Allocator, PoolsServeBeforeStartAfterStopAndPooledClasses) {
    EXPECT_TRUE(NMem::IsPooled(g_staticBlock));
    EXPECT_EQ(NMem::Start(), NResult::kOk);
    NMem::Stop();
    void* block = NMem::Allocate(100);
    EXPECT_TRUE(NMem::IsPooled(block));
    NMem::Release(block);
    auto record = std::make_unique<SPooledRecord>();
    EXPECT_TRUE(NMem::IsPooled(record.get()));
    EXPECT_EQ(record->values[4], 5u);
}

TEST(Allocator, ZeroAndOverflowingSizesGiveNothing) {
    EXPECT_EQ(NMem::Allocate(0), nullptr);
    EXPECT_EQ(NMem::Allocate(std::numeric_limits<std::size_t>::max()), nullptr);
    EXPECT_EQ(NMem::Allocate(std::numeric_limits<std::size_t>::max() - 20), nullptr);
    NMem::Release(nullptr);
    EXPECT_FALSE(NMem::IsPooled(nullptr));
}

// Up to 976 bytes are pooled; every size is aligned to 4 (up to 12 bytes) or 16.
TEST(Allocator, EverySizeIsAlignedAndLargeBlocksAreWhole) {
    std::vector<void*> blocks;
    for (std::size_t size = 1; size <= 3000; ++size) {
        void* block = NMem::Allocate(size);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(Address(block) % (size <= 12 ? 4 : 16), 0u) << "size " << size;
        EXPECT_EQ(NMem::IsPooled(block), size <= 976) << "size " << size;
        blocks.push_back(block);
    }
    for (void* block : blocks)
        NMem::Release(block);
    for (std::size_t size : {65537u, 1u << 20}) {
        SBlock block = AllocateFilled(size, static_cast<unsigned char>(size));
        EXPECT_EQ(Address(block.bytes) % 16, 0u);
        EXPECT_TRUE(HoldsPattern(block));
        NMem::Release(block.bytes);
    }
}

TEST(Allocator, LiveBlocksNeverOverlap) {
    std::vector<SBlock> blocks;
    for (int round = 0; round < 6; ++round)
        for (std::size_t size = 1; size <= 1100; size += 3)
            blocks.push_back(AllocateFilled(size, static_cast<unsigned char>(blocks.size())));
    for (const SBlock& block : blocks)
        ASSERT_TRUE(HoldsPattern(block)) << "size " << block.size;

    // Freed blocks are handed out again; the survivors must stay untouched.
    for (std::size_t i = 0; i < blocks.size(); i += 2)
        NMem::Release(blocks[i].bytes);
    for (std::size_t i = 0; i < blocks.size(); i += 2)
        blocks[i] = AllocateFilled(blocks[i].size, static_cast<unsigned char>(i + 1));
    for (const SBlock& block : blocks) {
        ASSERT_TRUE(HoldsPattern(block)) << "size " << block.size;
        NMem::Release(block.bytes);
    }
}

// Each thread allocates and frees blocks of mixed sizes, then frees the blocks
// another thread left behind, as job threads do with objects they hand over.
TEST(Allocator, ThreadsAllocateAndReleaseConcurrently) {
    constexpr int kThreads = 4;
    constexpr int kRounds = 40;
    constexpr int kBlocksPerRound = 300;
    std::vector<std::vector<SBlock>> handedOver(kThreads);
    std::vector<int> damaged(kThreads, 0);

    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &handedOver, &damaged] {
            std::mt19937 random(static_cast<unsigned>(t + 1));
            std::uniform_int_distribution<std::size_t> sizes(1, 1500);
            for (int round = 0; round < kRounds; ++round) {
                std::vector<SBlock> blocks;
                for (int i = 0; i < kBlocksPerRound; ++i)
                    blocks.push_back(
                        AllocateFilled(sizes(random), static_cast<unsigned char>(t * 64 + i)));
                std::shuffle(blocks.begin(), blocks.end(), random);
                for (std::size_t i = 0; i < blocks.size(); ++i) {
                    damaged[t] += !HoldsPattern(blocks[i]);
                    if (i % 10 == 0)
                        handedOver[t].push_back(blocks[i]);
                    else
                        NMem::Release(blocks[i].bytes);
                }
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    threads.clear();

    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &handedOver, &damaged] {
            for (const SBlock& block : handedOver[(t + 1) % kThreads]) {
                damaged[t] += !HoldsPattern(block);
                NMem::Release(block.bytes);
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();

    for (int t = 0; t < kThreads; ++t)
        EXPECT_EQ(damaged[t], 0) << "thread " << t;
}

#ifdef QUILLMERE_TEST_ASAN
TEST(Allocator, FreedPooledBlocksArePoisonedForTheSanitizer) {
    auto* block = static_cast<char*>(NMem::Allocate(64));
    EXPECT_FALSE(__asan_region_is_poisoned(block, 64));
    NMem::Release(block);
    EXPECT_TRUE(__asan_address_is_poisoned(block));
    EXPECT_TRUE(__asan_address_is_poisoned(block + 63));
    void* again = NMem::Allocate(64);
    EXPECT_FALSE(__asan_region_is_poisoned(again, 64));
    NMem::Release(again);
}

TEST(AllocatorDeathTest, SanitizerReportsUseAfterFreeAndDoubleRelease) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            auto* block = static_cast<volatile char*>(NMem::Allocate(48));
            NMem::Release(const_cast<char*>(block));
            block[5] = 1;
        },
        "use-after-poison");
    EXPECT_DEATH(
        {
            void* block = NMem::Allocate(48);
            NMem::Release(block);
            NMem::Release(block);
        },
        "use-after-poison");
}
#endif

} // namespace
