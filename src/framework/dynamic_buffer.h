#pragma once

#include "framework/allocator.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace NMem {

// The storage of a growable buffer: an inline area of N + 4 elements, a heap
// block from the allocator, or borrowed memory (capacity kBorrowed) that the
// buffer never frees and never writes into.
template <typename T, int N> class TDynamicBuffer {
    static_assert(std::is_trivially_copyable_v<T>, "elements are moved with memcpy");
    static_assert(N >= 0, "inline size cannot be negative");

public:
    static constexpr std::int32_t kBorrowed = -1;
    static constexpr std::int32_t kInlineCapacity = N + 4;

    TDynamicBuffer() = default;
    ~TDynamicBuffer() { ReleaseBlock(); }
    TDynamicBuffer(const TDynamicBuffer&) = delete;
    TDynamicBuffer& operator=(const TDynamicBuffer&) = delete;

    T* Data() { return m_data; }
    const T* Data() const { return m_data; }
    // In elements; kBorrowed for borrowed memory.
    std::int32_t Capacity() const { return m_capacity; }
    bool IsBorrowed() const { return m_capacity == kBorrowed; }

    // Takes `block`, which came from NMem::Allocate and holds `capacity` elements.
    void Own(T* block, std::int32_t capacity) {
        ReleaseBlock();
        m_data = block;
        m_capacity = capacity;
    }

    void Borrow(const T* memory) {
        ReleaseBlock();
        m_data = const_cast<T*>(memory);
        m_capacity = kBorrowed;
    }

    // Moves to a new heap block of `capacity` elements, taking the first `keep`
    // elements along. False when memory ran out; nothing changes then.
    bool Reallocate(std::int32_t capacity, std::size_t keep) {
        auto* block = static_cast<T*>(NMem::Allocate(std::size_t(capacity) * sizeof(T)));
        if (!block)
            return false;
        if (keep)
            std::memcpy(block, m_data, keep * sizeof(T));
        Own(block, capacity);
        return true;
    }

    // Lets go of borrowed memory and, with `release`, of the heap block too;
    // either way the storage falls back to the inline area.
    void Clear(bool release) {
        if (release || IsBorrowed())
            ReleaseBlock();
    }

private:
    bool HasHeapBlock() const { return m_data != m_inline && !IsBorrowed(); }

    void ReleaseBlock() {
        if (HasHeapBlock())
            NMem::Release(m_data);
        m_data = m_inline;
        m_capacity = kInlineCapacity;
    }

    T* m_data = m_inline;
    std::int32_t m_capacity = kInlineCapacity;
    T m_inline[kInlineCapacity];
};

} // namespace NMem
