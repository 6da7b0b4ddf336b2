#include "framework/event.h"

#include <chrono>

namespace NSys {

void CEvent::Create(bool manualReset) {
    std::lock_guard lock(m_mutex);
    m_open = true;
    m_manualReset = manualReset;
    m_signalled = false;
}

bool CEvent::Set() {
    std::lock_guard lock(m_mutex);
    if (!m_open)
        return false;
    m_signalled = true;
    if (m_manualReset)
        m_changed.notify_all();
    else
        m_changed.notify_one();
    return true;
}

bool CEvent::Reset() {
    std::lock_guard lock(m_mutex);
    if (!m_open)
        return false;
    m_signalled = false;
    return true;
}

bool CEvent::Wait(std::uint32_t timeoutMs) {
    std::unique_lock lock(m_mutex);
    if (!m_open)
        return false;
    const auto ready = [this] { return m_signalled || !m_open; };
    if (timeoutMs == kNoTimeout)
        m_changed.wait(lock, ready);
    else if (!m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready))
        return false;
    if (!m_open)
        return false;
    if (!m_manualReset)
        m_signalled = false;
    return true;
}

void CEvent::Close() {
    std::lock_guard lock(m_mutex);
    m_open = false;
    m_signalled = false;
    m_changed.notify_all();
}

bool CEvent::IsOpen() const {
    std::lock_guard lock(m_mutex);
    return m_open;
}

} // namespace NSys
