#include "framework/target.h"

#include <mutex>

namespace NPtr {

CTarget::~CTarget() {
    if (CWeakLink* link = m_weakLink.load(std::memory_order_acquire)) {
        link->ForgetTarget();
        link->Release();
    }
}

void CTarget::Destroy() {
    delete this;
}

int CTarget::Release() {
    if (m_references.fetch_sub(1, std::memory_order_acq_rel) != 1)
        return 0;
    // A weak holder promoting at this moment finds the count at zero and gives
    // up; the destructor then takes the link's lock before the memory goes, so
    // no promotion can still be looking at this object.
    Destroy();
    return 1;
}

bool CTarget::AddReferenceIfAlive() {
    std::uint32_t count = m_references.load(std::memory_order_relaxed);
    while (count != 0) {
        if (m_references.compare_exchange_weak(count, count + 1, std::memory_order_relaxed))
            return true;
    }
    return false;
}

CWeakLink* CTarget::WeakLink() {
    CWeakLink* link = m_weakLink.load(std::memory_order_acquire);
    if (link != nullptr)
        return link;
    auto* made = new CWeakLink(this);
    made->AddReference();
    // Two holders may ask at once: the first to publish wins, the other drops its block.
    if (m_weakLink.compare_exchange_strong(link, made, std::memory_order_acq_rel))
        return made;
    made->Release();
    return link;
}

CTarget* CWeakLink::AcquireTarget() {
    std::lock_guard lock(m_lock);
    if (m_target != nullptr && m_target->AddReferenceIfAlive())
        return m_target;
    return nullptr;
}

void CWeakLink::ForgetTarget() {
    std::lock_guard lock(m_lock);
    m_target = nullptr;
}

} // namespace NPtr
