#pragma once

#include <atomic>
#include <thread>

namespace NSys {

// A lock for sections of a few instructions, such as taking a block off a
// free list: uncontended it costs one atomic exchange, where a mutex costs
// two library calls. A waiter spins briefly and then yields its time slice.
class CSpinLock {
public:
    void lock() {
        while (m_locked.exchange(true, std::memory_order_acquire)) {
            for (int spins = 0; m_locked.load(std::memory_order_relaxed); ++spins) {
                if (spins >= kSpinsBeforeYield)
                    std::this_thread::yield();
            }
        }
    }
    void unlock() { m_locked.store(false, std::memory_order_release); }

private:
    static constexpr int kSpinsBeforeYield = 64;

    std::atomic<bool> m_locked{false};
};

} // namespace NSys
