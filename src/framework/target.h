#pragma once

#include "framework/allocator.h"
#include "framework/thread_mutex.h"

#include <atomic>
#include <cstdint>
#include <type_traits>
#include <utility>

namespace NPtr {

class CWeakLink;

// Base of every reference-counted object. A new object has no holder and a
// count of 0; the first holder raises it to 1 and the last one to let go
// destroys it. Counts change only atomically, so any thread may release.
class CTarget : public NMem::CPooled {
public:
    CTarget() = default;
    CTarget(const CTarget&) = delete;
    CTarget& operator=(const CTarget&) = delete;
    // Cuts the weak link (if any) off this object and releases it.
    virtual ~CTarget();

    // Ends the object's life once the last reference is gone.
    virtual void Destroy();

    void AddReference() { m_references.fetch_add(1, std::memory_order_relaxed); }
    // Drops one reference; 1 when that destroyed the object, else 0.
    int Release();
    std::uint32_t ReferenceCount() const { return m_references.load(std::memory_order_relaxed); }

    // The object's weak-link block, made on first use. The caller must hold a
    // reference to this object; the block stays valid as long as the caller
    // holds a reference to it (see TWeakHolder).
    CWeakLink* WeakLink();

private:
    friend class CWeakLink;

    // Adds a reference unless the count has already reached zero: a dying
    // object must not be brought back, or two threads could both destroy it.
    bool AddReferenceIfAlive();

    std::atomic<std::uint32_t> m_references{0};
    std::atomic<CWeakLink*> m_weakLink{nullptr};
};

// A reference-counted block that reaches a target without keeping it alive.
// Its lock orders a weak holder's promotion against the target's destruction.
class CWeakLink final : public CTarget {
public:
    explicit CWeakLink(CTarget* target) : m_target(target) {}

    // The target with one reference added for the caller, or null when the
    // target has been destroyed or is being destroyed.
    CTarget* AcquireTarget();

private:
    friend class CTarget;

    // Called by the dying target; afterwards AcquireTarget yields null.
    void ForgetTarget();

    NSys::CThreadMutex m_lock;
    CTarget* m_target;
};

// The smart pointer of reference-counted objects: owns one reference to the
// object it holds (or nothing).
template <class T> class THolder {
public:
    THolder() = default;
    THolder(std::nullptr_t) {}
    // Takes a new reference to `object`.
    explicit THolder(T* object) : m_object(object) {
        if (m_object != nullptr)
            m_object->AddReference();
    }
    THolder(const THolder& other) : THolder(other.m_object) {}
    THolder(THolder&& other) noexcept : m_object(other.Detach()) {}
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    THolder(const THolder<U>& other) : THolder(other.Get()) {}
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    THolder(THolder<U>&& other) noexcept : m_object(other.Detach()) {}
    ~THolder() { Reset(); }

    THolder& operator=(THolder other) noexcept {
        std::swap(m_object, other.m_object);
        return *this;
    }

    // Wraps a pointer whose reference has already been counted for the holder
    // (a reference handed over by a queue or a weak link).
    static THolder Adopt(T* object) {
        THolder holder;
        holder.m_object = object;
        return holder;
    }

    // Gives up the object without releasing it; the caller owns the reference.
    T* Detach() { return std::exchange(m_object, nullptr); }

    void Reset() {
        if (T* object = Detach())
            object->Release();
    }

    T* Get() const { return m_object; }
    T* operator->() const { return m_object; }
    T& operator*() const { return *m_object; }
    explicit operator bool() const { return m_object != nullptr; }

private:
    T* m_object = nullptr;
};

// Reaches a target through its weak-link block without keeping it alive.
template <class T> class TWeakHolder {
public:
    TWeakHolder() = default;
    // `target` must be held by the caller while the weak holder is made.
    explicit TWeakHolder(T* target) : m_link(target != nullptr ? target->WeakLink() : nullptr) {}

    // A holder of the target, empty once the target is gone.
    THolder<T> Lock() const {
        if (!m_link)
            return {};
        return THolder<T>::Adopt(static_cast<T*>(m_link->AcquireTarget()));
    }

    void Reset() { m_link.Reset(); }

private:
    THolder<CWeakLink> m_link;
};

} // namespace NPtr
