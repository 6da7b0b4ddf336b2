#pragma once

#include "framework/allocator.h"

#include <array>
#include <cstddef>
#include <mutex>

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
// so a pooled block carries no header. Pages go back to the heap only when the
// pools themselves are destroyed; the process-wide pools never are.
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
    // Lock order: a class lock first, then the directory lock.
    struct alignas(64) SSizeClass {
        std::mutex lock;
        SPoolPage* pages = nullptr; // newest first
        SPoolPage* current = nullptr;
    };

    // Start addresses of every page, sorted, so a block's page is a binary search away.
    class CPageDirectory {
    public:
        CPageDirectory() = default;
        ~CPageDirectory();
        CPageDirectory(const CPageDirectory&) = delete;
        CPageDirectory& operator=(const CPageDirectory&) = delete;

        // False when the directory cannot grow.
        bool Add(SPoolPage* page);
        SPoolPage* Find(const void* address) const;

    private:
        bool Grow();

        alignas(64) mutable std::mutex m_lock;
        SPoolPage** m_pages = nullptr;
        std::size_t m_count = 0;
        std::size_t m_capacity = 0;
    };

    bool OpenPage(SSizeClass& sizeClass, int classIndex);

    std::array<SSizeClass, kSizeClassCount> m_classes;
    CPageDirectory m_directory;
};

} // namespace NMem
