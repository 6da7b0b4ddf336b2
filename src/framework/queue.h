#pragma once

#include <atomic>
#include <cstdint>

namespace NPtr {

// A growable ring of untyped pointers, first in first out. One slot always
// stays free, so a ring of capacity N holds at most N - 1 elements. Not
// locked: one thread at a time (CAtomicQueue is the locked form).
class CQueue {
public:
    static constexpr std::uint32_t kDefaultCapacity = 128;

    CQueue() = default;
    CQueue(const CQueue&) = delete;
    CQueue& operator=(const CQueue&) = delete;
    virtual ~CQueue();

    // Moves the elements, oldest first, to the start of storage of `capacity`
    // slots (0 means 128). NResult::kOk, kNoMoreData when `capacity` is below
    // the count, or kNoMemory.
    virtual int Reserve(std::uint32_t capacity);
    // Empties the queue; with `free` set also gives the storage back.
    virtual void Clear(bool free);

    // Appends `item`, doubling the storage when full. NResult::kOk or kNoMemory.
    int Push(void* item);
    // Takes the oldest element out; null when empty.
    void* Pop();
    // The `index`-th element from the oldest; null when `index` is not below the count.
    void* Peek(std::uint32_t index) const;

    // Atomic, so a locked owner may read it without its lock.
    std::uint32_t Count() const { return m_count.load(); }
    std::uint32_t Capacity() const { return m_capacity; }

private:
    int Grow(std::uint32_t capacity);

    void** m_items = nullptr;
    std::uint32_t m_capacity = 0;
    std::uint32_t m_head = 0; // the oldest element
    std::uint32_t m_tail = 0; // the next free slot
    std::atomic<std::uint32_t> m_count{0};
};

} // namespace NPtr
