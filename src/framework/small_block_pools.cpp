#include "framework/small_block_pools.h"

#include <cassert>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define QUILLMERE_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLMERE_ASAN 1
#endif
#endif

#ifdef QUILLMERE_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace NMem {

// Page header; the blocks follow it directly. The page's free count is kept
// in its class (SSizeClass::freeCounts).
struct SPoolPage {
    std::uint32_t ordinal; // index in the class's page list
    std::uint16_t sizeClass;
    std::uint16_t firstFree;
    std::uint16_t blockSize;
    std::uint16_t blockCount;
    std::uint32_t unused;
};

namespace {

static_assert(sizeof(SPoolPage) == 16, "blocks must start 16 bytes into a page");

constexpr std::size_t kMostBlocksPerPage = 4096;
constexpr std::uint16_t kEndOfChain = 0xFFFF;
constexpr std::uint32_t kFirstPageListCapacity = 16;

constexpr std::size_t BlockSizeOfClass(int sizeClass) {
    return sizeClass < 3 ? std::size_t(sizeClass + 1) * 4 : std::size_t(sizeClass - 2) * 16;
}

constexpr std::size_t BlockCountOfClass(int sizeClass) {
    return kMostBlocksPerPage / (BlockSizeOfClass(sizeClass) / 64 + 1);
}

constexpr bool EveryPageFitsItsSpan() {
    for (int sizeClass = 0; sizeClass < kSizeClassCount; ++sizeClass) {
        if (sizeof(SPoolPage) + BlockCountOfClass(sizeClass) * BlockSizeOfClass(sizeClass) >
            CPageSpans::kSpanSize)
            return false;
    }
    return true;
}
static_assert(EveryPageFitsItsSpan(), "a page must fit in one span");

// A free pooled block is poisoned, so that the sanitizer build still reports
// use after free of pooled objects. Blocks of the 4-, 8- and 12-byte classes
// share shadow granules with their neighbours and are covered only in part.
#ifdef QUILLMERE_ASAN
void MarkFree(void* block, std::size_t size) {
    ASAN_POISON_MEMORY_REGION(block, size);
}
void MarkInUse(void* block, std::size_t size) {
    ASAN_UNPOISON_MEMORY_REGION(block, size);
}
#else
void MarkFree(void*, std::size_t) {}
void MarkInUse(void*, std::size_t) {}
#endif

unsigned char* BlockArea(SPoolPage* page) {
    return reinterpret_cast<unsigned char*>(page) + sizeof(SPoolPage);
}

unsigned char* BlockAt(SPoolPage* page, std::uint16_t index) {
    return BlockArea(page) + std::size_t{index} * page->blockSize;
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
    ++freeCount;
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

int SizeClassOf(std::size_t size) {
    if (size == 0 || size > kLargestPooledBlock)
        return -1;
    if (size < 16)
        return static_cast<int>((size + 3) / 4) - 1;
    return static_cast<int>((size + 15) / 16) + 2;
}

std::size_t ClassBlockSize(int sizeClass) {
    assert(sizeClass >= 0 && sizeClass < kSizeClassCount);
    return BlockSizeOfClass(sizeClass);
}

std::size_t BlocksPerPage(int sizeClass) {
    assert(sizeClass >= 0 && sizeClass < kSizeClassCount);
    return BlockCountOfClass(sizeClass);
}

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

bool CSmallBlockPools::Release(void* block) {
    if (!m_spans.Contains(block))
        return false;
    auto* page = static_cast<SPoolPage*>(CPageSpans::SpanOf(block));
    SSizeClass& sizeClass = m_classes[page->sizeClass];
    std::lock_guard guard(sizeClass.lock);
    PutFreeBlock(page, block, sizeClass.freeCounts[page->ordinal]);
    return true;
}

const void* CSmallBlockPools::PageOf(const void* block) const {
    return m_spans.Contains(block) ? CPageSpans::SpanOf(block) : nullptr;
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
    const auto blockCount = static_cast<std::uint16_t>(BlockCountOfClass(classIndex));
    auto* page = new (span)
        SPoolPage{sizeClass.pageCount, static_cast<std::uint16_t>(classIndex),
                  kEndOfChain,         static_cast<std::uint16_t>(BlockSizeOfClass(classIndex)),
                  blockCount,          0};
    MarkFree(BlockArea(page), std::size_t{blockCount} * page->blockSize);
    sizeClass.pages[sizeClass.pageCount] = page;
    sizeClass.freeCounts[sizeClass.pageCount] = blockCount;
    ++sizeClass.pageCount;
    sizeClass.current = page;
    return true;
}

} // namespace NMem
