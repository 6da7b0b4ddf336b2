#include "framework/event.h"
#include "framework/thread.h"

#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <new>
#include <pthread.h>
#include <thread>
#include <vector>

using NSys::CEvent;
using NSys::CThread;

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kPatienceMs = 10000;

// Sleeps on its wake-up event until stopped.
class CSleeperThread : public CThread {
public:
    CSleeperThread() { started.Create(false); }
    ~CSleeperThread() override { Stop(); }

    CEvent started;

protected:
    int Run() override {
        started.Set();
        while (!StopRequested())
            Wait();
        return 1;
    }
};

std::size_t CurrentStackSize() {
    std::size_t size = 0;
    pthread_attr_t attributes;
    if (pthread_getattr_np(pthread_self(), &attributes) == 0) {
        pthread_attr_getstacksize(&attributes, &size);
        pthread_attr_destroy(&attributes);
    }
    return size;
}

// Ends at once with the given result, recording the size of its stack.
class CStackProbeThread : public CThread {
public:
    explicit CStackProbeThread(int result = 1) : m_result(result) {}
    ~CStackProbeThread() override { Stop(); }
    std::size_t stackSize = 0;

protected:
    int Run() override {
        stackSize = CurrentStackSize();
        return m_result;
    }

private:
    int m_result;
};

} // namespace

TEST(Event, AutoAndManualResetWithoutWaiters) {
    CEvent event;
    EXPECT_FALSE(event.Set()) << "no event yet";
    EXPECT_FALSE(event.Reset());
    EXPECT_FALSE(event.Wait(0));
    event.Create(false);
    EXPECT_TRUE(event.Set());
    EXPECT_TRUE(event.Set()) << "a second Set before any wait is not counted twice";
    EXPECT_TRUE(event.Wait(0));
    EXPECT_FALSE(event.Wait(0));
    event.Set();
    event.Close();
    EXPECT_FALSE(event.Wait(0)) << "closing drops the signal";

    event.Create(true);
    EXPECT_FALSE(event.Wait(0)) << "a new event starts unsignalled";
    event.Set();
    EXPECT_TRUE(event.Wait(0));
    EXPECT_TRUE(event.Wait(0));
    EXPECT_TRUE(event.Reset());
    EXPECT_FALSE(event.Wait(0));
    const auto start = Clock::now();
    EXPECT_FALSE(event.Wait(50));
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(50));
}

// A wait without timeout ends with true on Set, with false on Close.
TEST(Event, WaiterWithoutTimeoutIsReleasedBySetOrClose) {
    for (const bool close : {false, true}) {
        CEvent event;
        event.Create(close);
        std::atomic<int> result = -1;
        std::thread waiter([&] { result = event.Wait() ? 1 : 0; });
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(result, -1) << close;
        if (close)
            event.Close();
        else
            event.Set();
        waiter.join();
        EXPECT_EQ(result, close ? 0 : 1);
    }
}

TEST(Event, AutoResetSetReleasesOnlyOneOfTwoWaiters) {
    CEvent event;
    event.Create(false);
    std::atomic<int> passed = 0;
    auto wait = [&] {
        if (event.Wait(300))
            ++passed;
    };
    std::thread first(wait);
    std::thread second(wait);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    event.Set();
    first.join();
    second.join();
    EXPECT_EQ(passed, 1);
}

TEST(Thread, StartsOnceStopsAndRunsAgain) {
    CSleeperThread thread;
    EXPECT_FALSE(thread.Stop()) << "nothing runs yet";
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(thread.Start());
        EXPECT_TRUE(thread.IsRunning());
        ASSERT_TRUE(thread.started.Wait(kPatienceMs)) << "round " << round;
        EXPECT_FALSE(thread.Start()) << "already running";
        EXPECT_TRUE(thread.Stop());
        EXPECT_FALSE(thread.IsRunning());
        EXPECT_FALSE(thread.Stop());
    }
    CStackProbeThread quitter(0);
    ASSERT_TRUE(quitter.Start());
    EXPECT_FALSE(quitter.Stop()) << "Run ended out of order";
    EXPECT_FALSE(quitter.IsRunning());
}

// Deep documents are parsed and merged on threads with large stacks.
TEST(Thread, BothKindsOfThreadRunOnTheStackSizeAskedFor) {
    constexpr std::size_t kLarge = std::size_t(256) << 20;
    CStackProbeThread thread;
    thread.SetStackSize(kLarge);
    ASSERT_TRUE(thread.Start());
    EXPECT_TRUE(thread.Stop());
    EXPECT_GE(thread.stackSize, kLarge);

    std::size_t stackSize = 0;
    NSys::RunWithStack(kLarge, [&] { stackSize = CurrentStackSize(); });
    EXPECT_GE(stackSize, kLarge);
}

// Works run side by side: each on a thread of its own with the stack asked
// for, all at once (each waits, for a while, until every one has started),
// and the call returns only when all have ended.
TEST(Thread, SideBySideWorksRunAtOnceOnTheirOwnLargeStacks) {
    constexpr std::size_t kLarge = std::size_t(256) << 20;
    constexpr int kWorks = 3;
    std::atomic<int> started{0};
    std::array<bool, kWorks> sawAllStarted{};
    std::array<std::size_t, kWorks> stackSizes{};
    std::array<pthread_t, kWorks> threads{};
    std::vector<std::function<void()>> works;
    for (std::size_t work = 0; work < kWorks; ++work)
        works.emplace_back([&, work] {
            ++started;
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (started.load() < kWorks && std::chrono::steady_clock::now() < deadline)
                std::this_thread::yield();
            sawAllStarted[work] = started.load() == kWorks;
            stackSizes[work] = CurrentStackSize();
            threads[work] = pthread_self();
        });
    NSys::RunSideBySide(kLarge, works);
    for (std::size_t work = 0; work < kWorks; ++work) {
        EXPECT_TRUE(sawAllStarted[work]) << work;
        EXPECT_GE(stackSizes[work], kLarge) << work;
        EXPECT_FALSE(pthread_equal(threads[work], pthread_self())) << work;
    }
}

// Each item goes to exactly one share, dealt in turn; a share that throws
// has its exception thrown again on the calling thread after all ended.
TEST(Thread, SharesAreDealtInTurnAndTheirFailureReachesTheCaller) {
    std::vector<int> items(100);
    for (int index = 0; index < 100; ++index)
        items[static_cast<std::size_t>(index)] = index;
    std::array<std::vector<int>, 3> seen;
    std::atomic<int> shares{0};
    NSys::ShareOutSideBySide<int>(1 << 20, items, 3, [&](const std::vector<int>& share) {
        seen[static_cast<std::size_t>(share.front() % 3)] = share;
        ++shares;
    });
    EXPECT_EQ(shares.load(), 3);
    for (std::size_t share = 0; share < seen.size(); ++share)
        for (std::size_t index = 0; index < seen[share].size(); ++index)
            EXPECT_EQ(seen[share][index], static_cast<int>(share + 3 * index));
    EXPECT_EQ(seen[0].size() + seen[1].size() + seen[2].size(), items.size());

    std::atomic<int> finished{0};
    EXPECT_THROW(NSys::ShareOutSideBySide<int>(1 << 20, items, 4,
                                               [&](const std::vector<int>& share) {
                                                   if (share.front() == 1)
                                                       throw std::bad_alloc();
                                                   ++finished;
                                               }),
                 std::bad_alloc);
    EXPECT_EQ(finished.load(), 3);
}
