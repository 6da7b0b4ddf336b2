#include "framework/page_spans.h"

#include <cstdlib>
#include <new>

namespace NMem {

namespace {

std::uintptr_t SpanNumber(const void* address) {
    return reinterpret_cast<std::uintptr_t>(address) >> CPageSpans::kSpanShift;
}

} // namespace

CPageSpans::~CPageSpans() {
    for (std::size_t index = 0; index < m_chunkCount; ++index)
        std::free(m_chunks[index]);
    std::free(m_chunks);
    for (std::atomic<SLeaf*>& leaf : m_root)
        std::free(leaf.load(std::memory_order_relaxed));
}

void* CPageSpans::Take() {
    std::lock_guard guard(m_lock);
    if (m_spansLeftInChunk == 0 && !OpenChunk())
        return nullptr;
    void* span = m_chunk;
    if (!Mark(span))
        return nullptr;
    m_chunk += kSpanSize;
    --m_spansLeftInChunk;
    return span;
}

// Called with the lock held. The bit is published with release order, so a
// thread that finds it also sees whatever was written to the span before the
// span's first block was handed out.
bool CPageSpans::Mark(const void* span) {
    const std::uintptr_t number = SpanNumber(span);
    const std::uintptr_t leafIndex = number >> kLeafBits;
    if (leafIndex >= kRootSize)
        return false;
    SLeaf* leaf = m_root[leafIndex].load(std::memory_order_relaxed);
    if (leaf == nullptr) {
        // Straight from the heap, like the chunk list.
        void* memory = std::malloc(sizeof(SLeaf));
        if (memory == nullptr)
            return false;
        leaf = new (memory) SLeaf{};
        m_root[leafIndex].store(leaf, std::memory_order_release);
    }
    const std::uintptr_t bit = number & ((std::uintptr_t{1} << kLeafBits) - 1);
    leaf->words[bit / 64].fetch_or(std::uint64_t{1} << (bit % 64), std::memory_order_release);
    return true;
}

// Called with the lock held. The chunk list comes from the heap as well:
// taking it from the pools could re-enter this lock.
bool CPageSpans::OpenChunk() {
    if (m_chunkCount == m_chunkCapacity) {
        const std::size_t capacity = m_chunkCapacity ? m_chunkCapacity * 2 : 16;
        void* chunks = std::realloc(m_chunks, capacity * sizeof(void*));
        if (chunks == nullptr)
            return false;
        m_chunks = static_cast<void**>(chunks);
        m_chunkCapacity = capacity;
    }
    void* chunk = std::aligned_alloc(kSpanSize, kSpanSize * kSpansPerChunk);
    if (chunk == nullptr)
        return false;
    m_chunks[m_chunkCount++] = chunk;
    m_chunk = static_cast<unsigned char*>(chunk);
    m_spansLeftInChunk = kSpansPerChunk;
    return true;
}

} // namespace NMem
