#include "framework/small_block_pools.h"

#include "framework/asan_poison.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace NMem {

namespace {

static_assert(sizeof(SPoolPage) == 16, "blocks must start 16 bytes into a page");

constexpr std::uint16_t kEndOfChain = 0xFFFF;
constexpr std::uint32_t kFirstPageListCapacity = 16;

constexpr bool EveryPageFitsItsSpan() {
    for (int sizeClass = 0; sizeClass < kSizeClassCount; ++sizeClass) {
        if (sizeof(SPoolPage) + BlocksPerPage(sizeClass) * ClassBlockSize(sizeClass) >
            CPageSpans::kSpanSize)
            return false;
    }
    return true;
}
static_assert(EveryPageFitsItsSpan(), "a page must fit in one span");

unsigned char* BlockArea(SPoolPage* page) {
    return reinterpret_cast<unsigned char*>(page) + sizeof(SPoolPage);
}

unsigned char* BlockAt(SPoolPage* page, std::uint16_t index) {
    return BlockArea(page) + std::size_t{index} * page->blockSize;
}

SPoolPage* PageOfBlock(const void* block) {
    return static_cast<SPoolPage*>(CPageSpans::SpanOf(block));
}

// A free block holds the index of the next free block in its first 16 bits.
std::uint16_t ReadLink(const unsigned char* block) {
    std::uint16_t next;
    std::memcpy(&next, block, sizeof next);
    return next;
}

void WriteLink(unsigned char* block, std::uint16_t next) {
    std::memcpy(block, &next, sizeof next);
}

// Blocks never handed out are not chained, so that opening a page touches
// only its header: they are the last `freeCount` blocks of the page whenever
// the chain of released blocks is empty, and they are handed out in order.
void* TakeFreeBlock(SPoolPage* page, std::uint16_t& freeCount) {
    const std::uint16_t index = page->firstFree != kEndOfChain
                                    ? page->firstFree
                                    : static_cast<std::uint16_t>(page->blockCount - freeCount);
    unsigned char* block = BlockAt(page, index);
    MarkInUse(block, page->blockSize);
    if (page->firstFree != kEndOfChain)
        page->firstFree = ReadLink(block);
    --freeCount;
    return block;
}

void PutFreeBlock(SPoolPage* page, void* block, std::uint16_t& freeCount) {
    const std::size_t offset = static_cast<unsigned char*>(block) - BlockArea(page);
    assert(offset % page->blockSize == 0 && "not the start of a pooled block");
    // Released twice, a block of 16 bytes or more is poisoned already and the
    // sanitizer build stops here.
    WriteLink(static_cast<unsigned char*>(block), page->firstFree);
    MarkFree(block, page->blockSize);
    page->firstFree = static_cast<std::uint16_t>(offset / page->blockSize);
    // A page whose blocks are all free again is handed out from its start
    // once more, in address order, without reading a chain through it.
    if (++freeCount == page->blockCount)
        page->firstFree = kEndOfChain;
}

// On ties the newer page wins.
SPoolPage* PageWithMostFreeBlocks(SPoolPage* const* pages, const std::uint16_t* freeCounts,
                                  std::uint32_t count) {
    SPoolPage* best = nullptr;
    std::uint16_t most = 0;
    for (std::uint32_t index = count; index-- > 0;) {
        if (freeCounts[index] > most) {
            most = freeCounts[index];
            best = pages[index];
        }
    }
    return best;
}

// Grows the page list and the free counts of a class to `capacity` entries.
// They come straight from the heap: the pools cannot allocate from themselves.
bool GrowPageList(SPoolPage**& pages, std::uint16_t*& freeCounts, std::uint32_t capacity) {
    void* grownPages = std::realloc(pages, capacity * sizeof(SPoolPage*));
    if (grownPages == nullptr)
        return false;
    pages = static_cast<SPoolPage**>(grownPages);
    void* grownCounts = std::realloc(freeCounts, capacity * sizeof(std::uint16_t));
    if (grownCounts == nullptr)
        return false;
    freeCounts = static_cast<std::uint16_t*>(grownCounts);
    return true;
}

} // namespace

// The pages themselves go with m_spans.
CSmallBlockPools::~CSmallBlockPools() {
    for (SSizeClass& sizeClass : m_classes) {
        std::free(sizeClass.pages);
        std::free(sizeClass.freeCounts);
    }
}

void* CSmallBlockPools::Allocate(std::size_t size) {
    const int classIndex = SizeClassOf(size);
    if (classIndex < 0)
        return nullptr;
    SSizeClass& sizeClass = m_classes[classIndex];
    std::lock_guard guard(sizeClass.lock);
    return TakeBlock(sizeClass, classIndex);
}

bool CSmallBlockPools::Release(void* block) {
    if (!m_spans.Contains(block))
        return false;
    SSizeClass& sizeClass = m_classes[PageOfBlock(block)->sizeClass];
    std::lock_guard guard(sizeClass.lock);
    PutBlock(sizeClass, block);
    return true;
}

const void* CSmallBlockPools::PageOf(const void* block) const {
    return m_spans.Contains(block) ? CPageSpans::SpanOf(block) : nullptr;
}

std::size_t CSmallBlockPools::AllocateBatch(int classIndex, void** blocks, std::size_t count) {
    SSizeClass& sizeClass = m_classes[classIndex];
    std::lock_guard guard(sizeClass.lock);
    std::size_t taken = 0;
    while (taken < count) {
        // Untouched blocks of the current page, when it has no released ones,
        // follow each other: they are counted off in one go.
        SPoolPage* page = sizeClass.current;
        if (page != nullptr && page->firstFree == kEndOfChain) {
            std::uint16_t& freeCount = sizeClass.freeCounts[page->ordinal];
            const std::size_t run = std::min<std::size_t>(count - taken, freeCount - 1u);
            unsigned char* block =
                BlockAt(page, static_cast<std::uint16_t>(page->blockCount - freeCount));
            for (std::size_t index = 0; index < run; ++index, block += page->blockSize) {
                MarkInUse(block, page->blockSize);
                blocks[taken++] = block;
            }
            freeCount = static_cast<std::uint16_t>(freeCount - run);
        }
        // The last block of a page, a released block or a new page.
        if (taken == count || (blocks[taken] = TakeBlock(sizeClass, classIndex)) == nullptr)
            break;
        ++taken;
    }
    return taken;
}

void CSmallBlockPools::ReleaseBatch(int classIndex, void* const* blocks, std::size_t count) {
    SSizeClass& sizeClass = m_classes[classIndex];
    std::lock_guard guard(sizeClass.lock);
    for (std::size_t index = 0; index < count; ++index)
        PutBlock(sizeClass, blocks[index]);
}

void* CSmallBlockPools::TakeBlock(SSizeClass& sizeClass, int classIndex) {
    if (!sizeClass.current && !OpenPage(sizeClass, classIndex))
        return nullptr;
    SPoolPage* page = sizeClass.current;
    std::uint16_t& freeCount = sizeClass.freeCounts[page->ordinal];
    void* block = TakeFreeBlock(page, freeCount);
    if (freeCount == 0)
        sizeClass.current =
            PageWithMostFreeBlocks(sizeClass.pages, sizeClass.freeCounts, sizeClass.pageCount);
    return block;
}

void CSmallBlockPools::PutBlock(SSizeClass& sizeClass, void* block) {
    SPoolPage* page = PageOfBlock(block);
    PutFreeBlock(page, block, sizeClass.freeCounts[page->ordinal]);
}

bool CSmallBlockPools::OpenPage(SSizeClass& sizeClass, int classIndex) {
    if (sizeClass.pageCount == sizeClass.pageCapacity) {
        const std::uint32_t capacity =
            sizeClass.pageCapacity ? sizeClass.pageCapacity * 2 : kFirstPageListCapacity;
        if (!GrowPageList(sizeClass.pages, sizeClass.freeCounts, capacity))
            return false;
        sizeClass.pageCapacity = capacity;
    }
    void* span = m_spans.Take();
    if (span == nullptr)
        return false;
    const auto blockCount = static_cast<std::uint16_t>(BlocksPerPage(classIndex));
    auto* page = new (span)
        SPoolPage{sizeClass.pageCount, static_cast<std::uint16_t>(classIndex),
                  kEndOfChain,         static_cast<std::uint16_t>(ClassBlockSize(classIndex)),
                  blockCount,          0};
    MarkFree(BlockArea(page), std::size_t{blockCount} * page->blockSize);
    sizeClass.pages[sizeClass.pageCount] = page;
    sizeClass.freeCounts[sizeClass.pageCount] = blockCount;
    ++sizeClass.pageCount;
    sizeClass.current = page;
    return true;
}

} // namespace NMem
