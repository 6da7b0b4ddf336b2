#pragma once

#include <cstddef>

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

// A free pooled block is poisoned, so that the sanitizer build still reports
// use after free of pooled objects. Blocks of the 4-, 8- and 12-byte classes
// share shadow granules with their neighbours and are covered only in part.
// CheckInUse reads the block, so that the sanitizer build reports a block
// that is free already.
#ifdef QUILLMERE_ASAN
inline void CheckInUse(void* block) {
    static_cast<void>(*static_cast<volatile const char*>(block));
}
inline void MarkFree(void* block, std::size_t size) {
    ASAN_POISON_MEMORY_REGION(block, size);
}
inline void MarkInUse(void* block, std::size_t size) {
    ASAN_UNPOISON_MEMORY_REGION(block, size);
}
#else
inline void CheckInUse(void*) {}
inline void MarkFree(void*, std::size_t) {}
inline void MarkInUse(void*, std::size_t) {}
#endif

} // namespace NMem
