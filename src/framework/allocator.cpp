#include "framework/allocator.h"

#include "framework/block_cache.h"
#include "framework/result.h"
#include "framework/small_block_pools.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <new>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace NMem {
namespace {

// A large block starts at the first 16-byte boundary strictly after the heap
// address; the byte before it holds the distance back (1 to 16).
constexpr std::size_t kLargeAlignment = 16;
constexpr std::size_t kLargeOverhead = 2 * kLargeAlignment - 1;

// Created on first use from whichever thread comes first, and never destroyed,
// so that objects released during static destruction still find their pages.
CSmallBlockPools& Pools() {
    alignas(CSmallBlockPools) static unsigned char storage[sizeof(CSmallBlockPools)];
    static CSmallBlockPools* const pools = new (storage) CSmallBlockPools;
    return *pools;
}

// Each thread allocates through its own cache while it runs. When the thread
// ends (the main thread: before static objects are destroyed) its cache goes
// back to the pools, and whatever it releases after that goes to the pools
// directly.
enum class ECacheState : unsigned char { kUnused, kActive, kGone };

constinit thread_local CBlockCache t_cache{};
constinit thread_local ECacheState t_cacheState = ECacheState::kUnused;

struct SCacheOwner {
    ~SCacheOwner() {
        t_cacheState = ECacheState::kGone;
        t_cache.Flush(Pools());
    }
};

// The thread's cache, or null once the thread is exiting.
CBlockCache* ThreadCache() {
    if (t_cacheState == ECacheState::kActive) [[likely]]
        return &t_cache;
    if (t_cacheState == ECacheState::kGone)
        return nullptr;
    // The owner's destructor is registered on its first use in the thread.
    thread_local SCacheOwner owner;
    (void)owner;
    t_cacheState = ECacheState::kActive;
    return &t_cache;
}

void* AllocatePooled(std::size_t size) {
    const int classIndex = SizeClassOf(size);
    if (classIndex >= CBlockCache::kFirstCachedClass) {
        if (CBlockCache* cache = ThreadCache())
            return cache->Allocate(classIndex, Pools());
    }
    return Pools().Allocate(size);
}

void* AllocateLarge(std::size_t size) {
    if (size > std::numeric_limits<std::size_t>::max() - kLargeOverhead)
        return nullptr;
    auto* heap =
        static_cast<unsigned char*>(std::malloc((size + kLargeOverhead) & ~(kLargeAlignment - 1)));
    if (!heap)
        return nullptr;
    const std::size_t distance =
        kLargeAlignment - reinterpret_cast<std::uintptr_t>(heap) % kLargeAlignment;
    unsigned char* block = heap + distance;
    block[-1] = static_cast<unsigned char>(distance);
    return block;
}

void ReleaseLarge(void* block) {
    auto* bytes = static_cast<unsigned char*>(block);
    std::free(bytes - bytes[-1]);
}

} // namespace

int Start() {
    Pools();
    return NResult::kOk;
}

void Stop() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

void* Allocate(std::size_t size) {
    if (size == 0)
        return nullptr;
    if (size <= kLargestPooledBlock) {
        if (void* block = AllocatePooled(size))
            return block;
    }
    return AllocateLarge(size);
}

void Release(void* block) {
    if (block == nullptr)
        return;
    const int classIndex = Pools().ClassOf(block);
    if (classIndex < 0) {
        ReleaseLarge(block);
        return;
    }
    CBlockCache* cache = classIndex >= CBlockCache::kFirstCachedClass ? ThreadCache() : nullptr;
    if (cache != nullptr)
        cache->Release(classIndex, block, Pools());
    else
        Pools().Release(block);
}

bool IsPooled(const void* block) {
    return block && Pools().PageOf(block);
}

void* CPooled::operator new(std::size_t size) {
    if (void* block = Allocate(size))
        return block;
    throw std::bad_alloc();
}

void CPooled::operator delete(void* block) noexcept {
    Release(block);
}

} // namespace NMem
