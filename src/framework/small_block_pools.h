#pragma once

#include "framework/allocator.h"
#include "framework/page_spans.h"
#include "framework/spin_lock.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace NMem {

constexpr int kSizeClassCount = 64;

struct SPoolPage;

// Size classes: a request below 16 bytes is rounded up to a multiple of 4
// (classes 0-2 hold 4, 8 and 12 bytes), a larger one to a multiple of 16
// (class 3 holds 16 bytes, class 63 holds kLargestPooledBlock = 976).

// The class of a request of `size` bytes; -1 when `size` is 0 or too large to pool.
int SizeClassOf(std::size_t size);
// The rounded block size of `sizeClass`.
std::size_t ClassBlockSize(int sizeClass);
// Blocks in one page of `sizeClass`: 4096 for the smallest classes, 256 for the largest.
std::size_t BlocksPerPage(int sizeClass);

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

    std::array<SSizeClass, kSizeClassCount> m_classes;
    CPageSpans m_spans;
};

} // namespace NMem
