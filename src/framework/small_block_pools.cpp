#include "framework/small_block_pools.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
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

// Page header; the blocks follow it directly.
struct SPoolPage {
    SPoolPage* next;
    std::uint16_t firstFree;
    std::uint16_t freeCount;
    std::uint16_t blockSize;
    std::uint16_t blockCount;
};

namespace {

static_assert(sizeof(SPoolPage) == 16, "blocks must start 16 bytes into a page");

constexpr std::size_t kPageSpan = 4096;
constexpr std::uint16_t kEndOfChain = 0xFFFF;
constexpr std::size_t kFirstDirectoryCapacity = 128;

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

std::uintptr_t Address(const void* pointer) {
    return reinterpret_cast<std::uintptr_t>(pointer);
}

std::uintptr_t BlockAreaEnd(const SPoolPage* page) {
    return Address(page) + sizeof(SPoolPage) + std::size_t{page->blockCount} * page->blockSize;
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

void ChainAllBlocks(SPoolPage* page) {
    for (std::uint16_t index = 0; index + 1 < page->blockCount; ++index)
        WriteLink(BlockAt(page, index), static_cast<std::uint16_t>(index + 1));
    WriteLink(BlockAt(page, static_cast<std::uint16_t>(page->blockCount - 1)), kEndOfChain);
    MarkFree(BlockArea(page), std::size_t{page->blockCount} * page->blockSize);
}

void* TakeFreeBlock(SPoolPage* page) {
    unsigned char* block = BlockAt(page, page->firstFree);
    MarkInUse(block, page->blockSize);
    page->firstFree = ReadLink(block);
    --page->freeCount;
    return block;
}

void PutFreeBlock(SPoolPage* page, void* block) {
    const std::size_t offset = static_cast<unsigned char*>(block) - BlockArea(page);
    assert(offset % page->blockSize == 0 && "not the start of a pooled block");
    // Released twice, a block of 16 bytes or more is poisoned already and the
    // sanitizer build stops here.
    WriteLink(static_cast<unsigned char*>(block), page->firstFree);
    MarkFree(block, page->blockSize);
    page->firstFree = static_cast<std::uint16_t>(offset / page->blockSize);
    ++page->freeCount;
}

// On ties the page nearer the head of the list (the newer one) wins.
SPoolPage* PageWithMostFreeBlocks(SPoolPage* pages) {
    SPoolPage* best = nullptr;
    for (SPoolPage* page = pages; page; page = page->next)
        if (page->freeCount > (best ? best->freeCount : 0))
            best = page;
    return best;
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
    return sizeClass < 3 ? std::size_t(sizeClass + 1) * 4 : std::size_t(sizeClass - 2) * 16;
}

std::size_t BlocksPerPage(int sizeClass) {
    return kPageSpan / (ClassBlockSize(sizeClass) / 64 + 1);
}

CSmallBlockPools::~CSmallBlockPools() {
    for (SSizeClass& sizeClass : m_classes) {
        for (SPoolPage* page = sizeClass.pages; page;) {
            SPoolPage* next = page->next;
            NMem::Release(page);
            page = next;
        }
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
    void* block = TakeFreeBlock(sizeClass.current);
    if (sizeClass.current->freeCount == 0)
        sizeClass.current = PageWithMostFreeBlocks(sizeClass.pages);
    return block;
}

bool CSmallBlockPools::Release(void* block) {
    SPoolPage* page = m_directory.Find(block);
    if (!page)
        return false;
    SSizeClass& sizeClass = m_classes[SizeClassOf(page->blockSize)];
    std::lock_guard guard(sizeClass.lock);
    PutFreeBlock(page, block);
    return true;
}

const void* CSmallBlockPools::PageOf(const void* block) const {
    return m_directory.Find(block);
}

bool CSmallBlockPools::OpenPage(SSizeClass& sizeClass, int classIndex) {
    const std::size_t blockSize = ClassBlockSize(classIndex);
    const std::size_t blockCount = BlocksPerPage(classIndex);
    void* memory = NMem::Allocate(sizeof(SPoolPage) + blockCount * blockSize);
    if (!memory)
        return false;
    auto* page = new (memory)
        SPoolPage{sizeClass.pages, 0, static_cast<std::uint16_t>(blockCount),
                  static_cast<std::uint16_t>(blockSize), static_cast<std::uint16_t>(blockCount)};
    ChainAllBlocks(page);
    if (!m_directory.Add(page)) {
        NMem::Release(memory);
        return false;
    }
    sizeClass.pages = page;
    sizeClass.current = page;
    return true;
}

CSmallBlockPools::CPageDirectory::~CPageDirectory() {
    std::free(m_pages);
}

// The directory's own array comes straight from the heap: taking it from the
// allocator could re-enter this directory's lock while it is held.
bool CSmallBlockPools::CPageDirectory::Grow() {
    const std::size_t capacity = m_capacity ? m_capacity * 2 : kFirstDirectoryCapacity;
    void* pages = std::realloc(m_pages, capacity * sizeof(SPoolPage*));
    if (!pages)
        return false;
    m_pages = static_cast<SPoolPage**>(pages);
    m_capacity = capacity;
    return true;
}

bool CSmallBlockPools::CPageDirectory::Add(SPoolPage* page) {
    std::lock_guard guard(m_lock);
    if (m_count == m_capacity && !Grow())
        return false;
    SPoolPage** end = m_pages + m_count;
    SPoolPage** slot = std::upper_bound(m_pages, end, page, std::less<>());
    std::copy_backward(slot, end, end + 1);
    *slot = page;
    ++m_count;
    return true;
}

SPoolPage* CSmallBlockPools::CPageDirectory::Find(const void* address) const {
    const std::uintptr_t target = Address(address);
    std::lock_guard guard(m_lock);
    std::size_t low = 0;
    std::size_t high = m_count;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        SPoolPage* page = m_pages[middle];
        if (target < Address(page))
            high = middle;
        else if (target >= BlockAreaEnd(page))
            low = middle + 1;
        else
            return page;
    }
    return nullptr;
}

} // namespace NMem
