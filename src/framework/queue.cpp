#include "framework/queue.h"

#include "framework/allocator.h"
#include "framework/result.h"

#include <algorithm>

namespace NPtr {

CQueue::~CQueue() {
    NMem::Release(m_items);
}

int CQueue::Reserve(std::uint32_t capacity) {
    return Grow(capacity);
}

// Push grows through this non-virtual step so that a locked subclass, whose
// Reserve takes the lock, is not entered again while it holds it.
int CQueue::Grow(std::uint32_t capacity) {
    if (capacity == 0)
        capacity = kDefaultCapacity;
    if (capacity == m_capacity)
        return NResult::kOk;
    const std::uint32_t count = Count();
    if (capacity < count)
        return NResult::kNoMoreData;
    auto* items = static_cast<void**>(NMem::Allocate(std::size_t{capacity} * sizeof(void*)));
    if (items == nullptr)
        return NResult::kNoMemory;
    // A wrapped ring is copied in two pieces: head to the end of storage, then
    // the rest from the start.
    const std::uint32_t firstPiece = std::min(count, m_capacity - m_head);
    std::copy_n(m_items + m_head, firstPiece, items);
    std::copy_n(m_items, count - firstPiece, items + firstPiece);
    NMem::Release(m_items);
    m_items = items;
    m_capacity = capacity;
    m_head = 0;
    m_tail = count % capacity;
    return NResult::kOk;
}

void CQueue::Clear(bool free) {
    m_head = 0;
    m_tail = 0;
    m_count.store(0);
    if (free) {
        NMem::Release(m_items);
        m_items = nullptr;
        m_capacity = 0;
    }
}

int CQueue::Push(void* item) {
    if (m_items == nullptr || Count() + 1 >= m_capacity) {
        // Doubling past 2^31 wraps to 0, which means 128 and is refused as too small.
        if (Grow(m_capacity * 2) != NResult::kOk)
            return NResult::kNoMemory;
    }
    m_items[m_tail] = item;
    m_tail = (m_tail + 1) % m_capacity;
    m_count.fetch_add(1);
    return NResult::kOk;
}

void* CQueue::Pop() {
    if (Count() == 0)
        return nullptr;
    void* item = m_items[m_head];
    m_head = (m_head + 1) % m_capacity;
    m_count.fetch_sub(1);
    return item;
}

void* CQueue::Peek(std::uint32_t index) const {
    if (index >= Count())
        return nullptr;
    return m_items[(std::uint64_t{m_head} + index) % m_capacity];
}

} // namespace NPtr
