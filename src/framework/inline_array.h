#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <type_traits>

namespace NPtr {

// A growable array of at most N plain values, kept inside the object: made
// for the many small arrays of large trees, where a heap block per array
// would cost more than the values. The interface follows std::vector's names.
// Not locked: one thread at a time.
template <class T, std::uint32_t N> class TInlineArray {
    static_assert(std::is_trivially_copyable_v<T>, "the values are copied as they are");
    static_assert(N > 0, "an array holds at least one value");

public:
    static constexpr std::uint32_t kCapacity = N;

    std::uint32_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }

    T* begin() { return m_items.data(); }
    T* end() { return m_items.data() + m_size; }
    const T* begin() const { return m_items.data(); }
    const T* end() const { return m_items.data() + m_size; }
    T& operator[](std::uint32_t index) { return m_items[index]; }
    const T& operator[](std::uint32_t index) const { return m_items[index]; }
    T& front() { return m_items[0]; }
    const T& front() const { return m_items[0]; }
    T& back() { return m_items[m_size - 1]; }
    const T& back() const { return m_items[m_size - 1]; }

    void clear() { m_size = 0; }

    // Throws std::length_error when the array is full.
    void push_back(const T& value) {
        if (m_size == N)
            throw std::length_error("inline array is full");
        m_items[m_size++] = value;
    }

    // Replaces the contents with `count` copies of `value`; throws
    // std::length_error, leaving the array unchanged, when `count` exceeds N.
    void assign(std::uint32_t count, const T& value) {
        if (count > N)
            throw std::length_error("inline array is too small");
        for (std::uint32_t index = 0; index < count; ++index)
            m_items[index] = value;
        m_size = count;
    }

private:
    std::uint32_t m_size = 0;
    std::array<T, N> m_items{};
};

} // namespace NPtr
