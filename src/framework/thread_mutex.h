#pragma once

#include <mutex>

namespace NSys {

// A plain lock, locked and unlocked explicitly or through std::lock_guard.
class CThreadMutex {
public:
    void Lock() { m_mutex.lock(); }
    void Unlock() { m_mutex.unlock(); }

    // BasicLockable, so that std::lock_guard and std::unique_lock take it.
    void lock() { m_mutex.lock(); }
    void unlock() { m_mutex.unlock(); }

private:
    std::mutex m_mutex;
};

} // namespace NSys
