#pragma once

#include "framework/event.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <pthread.h>
#include <span>
#include <vector>

namespace NSys {

// A thread running Run() of a subclass. The base event is the thread's
// wake-up signal (auto-reset): Stop sets it so that a sleeping Run notices
// the stop request. Start and Stop belong to one controlling thread; a
// subclass must call Stop in its own destructor, while its Run can still run.
class CThread : public CEvent {
public:
    static constexpr std::uint32_t kStopRequested = 1;

    CThread() = default;
    ~CThread() override;

    // Starts a thread that calls Run, on whichever processors the system
    // gives it: threads of parallel runs must be free to spread out.
    // False when a thread already runs or none could be created.
    bool Start();
    // Requests the stop, wakes the thread and waits for it to end. True when
    // Run reported that it ended in order; false also when no thread ran.
    bool Stop();

    // The stack of threads started from now on; 0 keeps the system's default.
    void SetStackSize(std::size_t bytes) { m_stackSize = bytes; }

    bool IsRunning() const { return m_running; }

protected:
    // The thread's work; returns non-zero when it ended in order.
    virtual int Run() = 0;
    bool StopRequested() const { return (m_stopFlags.load() & kStopRequested) != 0; }

private:
    static void* Entry(void* thread);

    std::atomic<std::uint32_t> m_stopFlags{0};
    pthread_t m_handle{};
    bool m_running = false;
    bool m_endedInOrder = false; // written by the thread, read after joining it
    std::size_t m_stackSize = 0;
};

// Runs `work` on a new thread with a stack of `stackSize` bytes and waits for
// it; when no such thread can be made, runs it on the calling thread.
void RunWithStack(std::size_t stackSize, const std::function<void()>& work);

// Runs each of `works` on a new thread of its own with a stack of `stackSize`
// bytes, all at once, and waits for them all; a work whose thread cannot be
// made runs on the calling thread.
void RunSideBySide(std::size_t stackSize, std::span<const std::function<void()>> works);

// Deals `items` out in turn into `shares` shares, so that each holds a like
// mix of large and small ones, and runs `work` on each share side by side
// (as RunSideBySide does). The first exception a share threw is thrown again
// here, once every thread has ended.
template <typename T>
void ShareOutSideBySide(std::size_t stackSize, const std::vector<T>& items, unsigned shares,
                        const std::function<void(const std::vector<T>&)>& work) {
    std::vector<std::vector<T>> dealt(shares);
    for (std::size_t index = 0; index < items.size(); ++index)
        dealt[index % shares].push_back(items[index]);
    std::vector<std::exception_ptr> failures(shares);
    std::vector<std::function<void()>> works;
    for (unsigned share = 0; share < shares; ++share)
        works.emplace_back([&, share] {
            try {
                work(dealt[share]);
            } catch (...) {
                failures[share] = std::current_exception();
            }
        });
    RunSideBySide(stackSize, works);
    for (const std::exception_ptr& failure : failures)
        if (failure)
            std::rethrow_exception(failure);
}

} // namespace NSys
