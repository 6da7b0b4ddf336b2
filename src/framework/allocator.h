#pragma once

#include <cstddef>

// The process-wide small-block allocator. Blocks of up to 976 bytes come from
// pages of equal-sized blocks, one pool per size class behind its own lock;
// larger blocks come from the heap, 16-byte aligned. It works from the first
// call on, before Start() and during static initialisation.
namespace NMem {

constexpr std::size_t kLargestPooledBlock = 976;

// Sets the pools up; NResult::kOk.
int Start();
// Gives memory the heap no longer needs back to the system.
void Stop();

// A block of at least `size` bytes (aligned to 4 for sizes up to 12, to 16
// otherwise), or null when `size` is 0 or memory is exhausted.
void* Allocate(std::size_t size);
// Accepts null, a pooled block or a large block.
void Release(void* block);

// Whether `block` came from a pool rather than from the heap.
bool IsPooled(const void* block);

// Base of every class whose objects live in the allocator.
class CPooled {
public:
    static void* operator new(std::size_t size);
    static void operator delete(void* block) noexcept;
};

} // namespace NMem
