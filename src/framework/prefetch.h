#pragma once

namespace NSys {

// Starts loading the cache line at `address`, which need not be valid, for a
// read that comes soon. GCC may delete __builtin_prefetch together with the
// loads that computed its address when nothing else uses them; a volatile
// assembler statement stays where it is written.
inline void Prefetch(const void* address) {
#if defined(__x86_64__)
    asm volatile("prefetcht0 %0" : : "m"(*static_cast<const char*>(address)));
#else
    __builtin_prefetch(address);
#endif
}

} // namespace NSys
