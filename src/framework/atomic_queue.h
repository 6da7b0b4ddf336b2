#pragma once

#include "framework/queue.h"
#include "framework/result.h"
#include "framework/target.h"
#include "framework/thread_mutex.h"

#include <mutex>

namespace NPtr {

// CQueue behind a lock: every operation may be called from any thread.
class CAtomicQueue : private CQueue {
public:
    int Reserve(std::uint32_t capacity) override {
        std::lock_guard lock(m_lock);
        return CQueue::Reserve(capacity);
    }
    void Clear(bool free) override {
        std::lock_guard lock(m_lock);
        CQueue::Clear(free);
    }
    int Push(void* item) {
        std::lock_guard lock(m_lock);
        return CQueue::Push(item);
    }
    void* Pop() {
        std::lock_guard lock(m_lock);
        return CQueue::Pop();
    }
    void* Peek(std::uint32_t index) const {
        std::lock_guard lock(m_lock);
        return CQueue::Peek(index);
    }
    std::uint32_t Capacity() const {
        std::lock_guard lock(m_lock);
        return CQueue::Capacity();
    }
    // The count is atomic: reading it takes no lock, so it may be read while
    // holding a lock of one's own without ordering the two locks.
    using CQueue::Count;

protected:
    // Under the lock, hands every element, oldest first, to `dispose`, then
    // empties the queue (freeing the storage when `free` is set).
    void ClearDisposing(bool free, void (*dispose)(void*)) {
        std::lock_guard lock(m_lock);
        for (std::uint32_t i = 0; i < CQueue::Count(); ++i)
            dispose(CQueue::Peek(i));
        CQueue::Clear(free);
    }

private:
    mutable NSys::CThreadMutex m_lock;
};

// CAtomicQueue of `T*`; the queue does not own its elements.
template <class T> class TAtomicQueue : public CAtomicQueue {
public:
    int Push(T* item) { return CAtomicQueue::Push(item); }
    T* Pop() { return static_cast<T*>(CAtomicQueue::Pop()); }
    T* Peek(std::uint32_t index) const { return static_cast<T*>(CAtomicQueue::Peek(index)); }
};

// A locked queue of reference-counted objects that owns one reference to
// each element it holds. Clearing or destroying the queue releases them; an
// element's destructor must therefore not use the same queue.
template <class T> class PAtomicQueue : private CAtomicQueue {
public:
    PAtomicQueue() = default;
    ~PAtomicQueue() override { Clear(true); }

    // Adds a reference for the queue. NResult::kOk; kInvalidArgument for an
    // empty holder; kNoMemory when the queue could not grow (no reference kept).
    int Push(const THolder<T>& item) {
        if (!item)
            return NResult::kInvalidArgument;
        item->AddReference();
        const int result = CAtomicQueue::Push(item.Get());
        if (result != NResult::kOk)
            item->Release();
        return result;
    }
    // The oldest element with the queue's reference handed over; empty when
    // the queue is empty.
    THolder<T> Pop() { return THolder<T>::Adopt(static_cast<T*>(CAtomicQueue::Pop())); }

    // Releases the queue's reference to every element, then empties it.
    void Clear(bool free) override {
        ClearDisposing(free, [](void* item) { static_cast<T*>(item)->Release(); });
    }

    using CAtomicQueue::Capacity;
    using CAtomicQueue::Count;
    using CAtomicQueue::Reserve;
};

} // namespace NPtr
