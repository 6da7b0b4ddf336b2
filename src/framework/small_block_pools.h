#pragma once

#include "framework/allocator.h"
#include "framework/page_spans.h"
#include "framework/spin_lock.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace NMem {

constexpr int kSizeClassCount = 64;

// Size classes: a request below 16 bytes is rounded up to a multiple of 4
// (classes 0-2 hold 4, 8 and 12 bytes), a larger one to a multiple of 16
// (class 3 holds 16 bytes, class 63 holds kLargestPooledBlock = 976).

// The class of a request of `size` bytes; -1 when `size` is 0 or too large to pool.
constexpr int SizeClassOf(std::size_t size) {
    if (size == 0 || size > kLargestPooledBlock)
        return -1;
    if (size < 16)
        return static_cast<int>((size + 3) / 4) - 1;
    return static_cast<int>((size + 15) / 16) + 2;
}

// The rounded block size of `sizeClass`.
constexpr std::size_t ClassBlockSize(int sizeClass) {
    return sizeClass < 3 ? std::size_t(sizeClass + 1) * 4 : std::size_t(sizeClass - 2) * 16;
}

// Blocks in one page of `sizeClass`: 4096 for the smallest classes, 256 for the largest.
constexpr std::size_t BlocksPerPage(int sizeClass) {
    return 4096 / (ClassBlockSize(sizeClass) / 64 + 1);
}

// Page header; the blocks follow it directly. The page's free count is kept
// in its class (see CSmallBlockPools).
struct SPoolPage {
    std::uint32_t ordinal; // index in the class's page list
    std::uint16_t sizeClass;
    std::uint16_t firstFree;
    std::uint16_t blockSize;
    std::uint16_t blockCount;
    std::uint32_t unused;
};

// Pools of equal-sized blocks, one per size class, each behind its own lock.
// Pages are carved into blocks whose free ones form a chain of 16-bit indices,
// so a pooled block carries no header. Every page starts a span aligned to the
// span size, so a block's page is its address rounded down. Pages go back to
// the heap only when the pools themselves are destroyed; the process-wide
// pools never are.
class CSmallBlockPools {
public:
    CSmallBlockPools() = default;
    ~CSmallBlockPools();
    CSmallBlockPools(const CSmallBlockPools&) = delete;
    CSmallBlockPools& operator=(const CSmallBlockPools&) = delete;

    // A block for `size` bytes (1 to kLargestPooledBlock); null when `size` is
    // out of that range or no new page can be had.
    void* Allocate(std::size_t size);
    // Puts `block` back on its page; false when it lies in none of these pages.
    bool Release(void* block);
    // The page holding `block`, or null: shows where page boundaries fall.
    const void* PageOf(const void* block) const;
    // The size class of a block of these pools, -1 for any other address.
    int ClassOf(const void* block) const {
        if (!m_spans.Contains(block))
            return -1;
        return static_cast<const SPoolPage*>(CPageSpans::SpanOf(block))->sizeClass;
    }

    // Up to `count` blocks of class `classIndex` under one lock, for a cache
    // in front of the pools; how many `blocks` received.
    std::size_t AllocateBatch(int classIndex, void** blocks, std::size_t count);
    // Puts `count` blocks of class `classIndex` back under one lock.
    void ReleaseBatch(int classIndex, void* const* blocks, std::size_t count);

private:
    // The free counts of a class's pages live together, apart from the pages,
    // so that choosing the page with the most free blocks reads one short
    // array instead of every page header.
    struct alignas(64) SSizeClass {
        NSys::CSpinLock lock;
        SPoolPage* current = nullptr;
        // In the order the pages were opened; a page's header holds its index.
        SPoolPage** pages = nullptr;
        std::uint16_t* freeCounts = nullptr;
        std::uint32_t pageCount = 0;
        std::uint32_t pageCapacity = 0;
    };

    // Lock order: a class lock first, then the lock inside m_spans.
    bool OpenPage(SSizeClass& sizeClass, int classIndex);
    // Called with the class lock held.
    void* TakeBlock(SSizeClass& sizeClass, int classIndex);
    void PutBlock(SSizeClass& sizeClass, void* block);

    std::array<SSizeClass, kSizeClassCount> m_classes;
    CPageSpans m_spans;
};

} // namespace NMem
