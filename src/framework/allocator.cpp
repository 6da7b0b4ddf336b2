#include "framework/allocator.h"

#include <cstdlib>
#include <new>

// Temporary heap-backed implementation until the pooled allocator lands.
namespace NMem {

int Start() { return 1; }
void Stop() {}
bool IsStarted() { return true; }
void* Allocate(std::size_t size) { return size == 0 ? nullptr : std::malloc(size); }
void Release(void* block) { std::free(block); }

void* CPooled::operator new(std::size_t size) {
    if (void* block = Allocate(size))
        return block;
    throw std::bad_alloc();
}

void CPooled::operator delete(void* block) noexcept { Release(block); }

} // namespace NMem
