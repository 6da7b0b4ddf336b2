#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace NMem {

// Hands out spans of kSpanSize bytes aligned to their size, and tells for any
// address, without taking a lock, whether it lies in one of them. The span of
// an address is then the address rounded down to the span size, so finding
// the page of a block costs two loads instead of a search.
//
// Spans are cut from larger aligned chunks taken from the heap; a span's bytes
// are not touched until its user writes them, so the unused tail of a span
// costs address space but no memory. Chunks go back to the heap only when the
// store itself is destroyed.
class CPageSpans {
public:
    static constexpr std::size_t kSpanShift = 18;
    static constexpr std::size_t kSpanSize = std::size_t{1} << kSpanShift;

    CPageSpans() = default;
    ~CPageSpans();
    CPageSpans(const CPageSpans&) = delete;
    CPageSpans& operator=(const CPageSpans&) = delete;

    // A fresh span, or null when the heap has no room.
    void* Take();
    // Whether `address` lies in a span handed out by this store.
    bool Contains(const void* address) const {
        const std::uintptr_t number = reinterpret_cast<std::uintptr_t>(address) >> kSpanShift;
        const std::uintptr_t leafIndex = number >> kLeafBits;
        if (leafIndex >= kRootSize)
            return false;
        const SLeaf* leaf = m_root[leafIndex].load(std::memory_order_acquire);
        if (leaf == nullptr)
            return false;
        const std::uintptr_t bit = number & ((std::uintptr_t{1} << kLeafBits) - 1);
        return (leaf->words[bit / 64].load(std::memory_order_acquire) >> (bit % 64)) & 1;
    }

    static void* SpanOf(const void* address) {
        return reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(address) &
                                       ~(kSpanSize - 1));
    }

private:
    // Span numbers (address / kSpanSize) of user-space addresses below 2^47
    // have 29 bits: 13 choose a leaf, 16 a bit in it.
    static constexpr std::size_t kAddressBits = 47;
    static constexpr std::size_t kLeafBits = 16;
    static constexpr std::size_t kRootSize = std::size_t{1}
                                             << (kAddressBits - kSpanShift - kLeafBits);
    static constexpr std::size_t kLeafWords = (std::size_t{1} << kLeafBits) / 64;
    static constexpr std::size_t kSpansPerChunk = 16;

    struct SLeaf {
        std::array<std::atomic<std::uint64_t>, kLeafWords> words;
    };

    bool Mark(const void* span);
    bool OpenChunk();

    std::array<std::atomic<SLeaf*>, kRootSize> m_root{};
    // Guards everything below, and the creation of leaves.
    std::mutex m_lock;
    unsigned char* m_chunk = nullptr;
    std::size_t m_spansLeftInChunk = 0;
    void** m_chunks = nullptr;
    std::size_t m_chunkCount = 0;
    std::size_t m_chunkCapacity = 0;
};

} // namespace NMem
