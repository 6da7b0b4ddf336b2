#pragma once

#include <mutex>

namespace NSys {

// A plain lock, BasicLockable so that std::lock_guard and std::unique_lock
// take it.
class CThreadMutex {
public:
    void lock() { m_mutex.lock(); }
    void unlock() { m_mutex.unlock(); }

private:
    std::mutex m_mutex;
};

} // namespace NSys
