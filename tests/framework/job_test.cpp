#include "framework/event.h"
#include "framework/job.h"
#include "framework/job_manager.h"
#include "framework/result.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <pthread.h>
#include <sched.h>
#include <string>
#include <thread>
#include <vector>

using NPtr::THolder;
using NSys::CEvent;
using NSys::CJob;
using NSys::CJobManager;

namespace {

constexpr std::uint32_t kPatienceMs = 10000;

// Runs a function; counts its destruction when given a counter.
class CProbeJob : public CJob {
public:
    CProbeJob(std::function<void()> work, std::atomic<int>* destroyed)
        : m_work(std::move(work)), m_destroyed(destroyed) {}
    ~CProbeJob() override {
        if (m_destroyed != nullptr)
            ++*m_destroyed;
    }
    void Execute() override { m_work(); }

private:
    std::function<void()> m_work;
    std::atomic<int>* m_destroyed;
};

THolder<CJob> MakeJob(std::function<void()> work, std::atomic<int>* destroyed = nullptr) {
    return THolder<CJob>(new CProbeJob(std::move(work), destroyed));
}

// Polls `done` until it holds or the patience runs out; a lost wake-up then
// fails the test instead of hanging it.
bool WaitUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatienceMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::yield();
    }
    return true;
}

// A job that occupies its worker until released.
struct SBlocker {
    SBlocker() {
        started.Create(true);
        release.Create(true);
    }
    THolder<CJob> Job() {
        return MakeJob([this] {
            started.Set();
            release.Wait(kPatienceMs);
        });
    }

    CEvent started;
    CEvent release;
};

} // namespace

TEST(JobThreadCount, FollowsTheRequestOrTheProcessors) {
    EXPECT_EQ(NSys::JobThreadCountFor(2, 24), 2);
    EXPECT_EQ(NSys::JobThreadCountFor(40, 2), 40);
    EXPECT_EQ(NSys::JobThreadCountFor(0, 24), 16);
    EXPECT_EQ(NSys::JobThreadCountFor(-3, 4), 4);
    EXPECT_EQ(NSys::JobThreadCountFor(0, 0), 1);
}

TEST(JobManager, StartsTheAskedNumberOfIdleWorkersZeroMeaningOnePerProcessor) {
    CJobManager manager;
    EXPECT_EQ(manager.StartJobThreads(2), NResult::kOk);
    EXPECT_EQ(manager.IdleWorkerCount(), 2u);
    EXPECT_EQ(manager.BusyWorkerCount(), 0u);
    EXPECT_FALSE(manager.QueueJob(THolder<CJob>(), 0)) << "an empty holder";
    manager.StopJobThreads();
    EXPECT_EQ(manager.IdleWorkerCount(), 0u);
    manager.StartJobThreads(0);
    EXPECT_EQ(manager.IdleWorkerCount(), std::clamp(std::thread::hardware_concurrency(), 1u, 16u));
}

// Parallel runs must spread over the machine: a worker may run wherever the
// process may.
TEST(JobManager, WorkersAreFreeToRunOnEveryProcessorOfTheProcess) {
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    sched_getaffinity(0, sizeof allowed, &allowed);
    if (CPU_COUNT(&allowed) < 2)
        GTEST_SKIP() << "one usable processor: pinned and free look alike";

    CJobManager manager;
    manager.StartJobThreads(2);
    std::mutex lock;
    std::vector<cpu_set_t> sets;
    std::atomic<int> arrived = 0;
    // Each job waits for the other, so the two surely run on different workers.
    auto recordProcessors = [&] {
        cpu_set_t set;
        CPU_ZERO(&set);
        pthread_getaffinity_np(pthread_self(), sizeof set, &set);
        {
            std::lock_guard guard(lock);
            sets.push_back(set);
        }
        ++arrived;
        WaitUntil([&] { return arrived == 2; });
    };
    ASSERT_TRUE(manager.QueueJob(MakeJob(recordProcessors), 0));
    ASSERT_TRUE(manager.QueueJob(MakeJob(recordProcessors), 0));
    ASSERT_TRUE(WaitUntil([&] { return arrived == 2; }));
    manager.StopJobThreads();
    ASSERT_EQ(sets.size(), 2u);
    for (const cpu_set_t& set : sets)
        EXPECT_TRUE(CPU_EQUAL(&set, &allowed));
}

TEST(JobManager, UrgentJobRunsBeforeWaitingNormalJobs) {
    CJobManager manager;
    manager.StartJobThreads(1);
    SBlocker blocker;
    ASSERT_TRUE(manager.QueueJob(blocker.Job(), 0));
    ASSERT_TRUE(blocker.started.Wait(kPatienceMs));

    std::mutex lock;
    std::string order;
    auto record = [&](char name) {
        return MakeJob([&lock, &order, name] {
            std::lock_guard guard(lock);
            order += name;
        });
    };
    manager.QueueJob(record('a'), 0);
    manager.QueueJob(record('b'), 0);
    manager.QueueJob(record('U'), CJobManager::kUrgent);
    manager.QueueJob(record('c'), 0);
    blocker.release.Set();
    ASSERT_TRUE(WaitUntil([&] {
        std::lock_guard guard(lock);
        return order.size() == 4;
    }));
    EXPECT_EQ(order, "Uabc");
}

TEST(JobManager, StopReleasesWaitingJobsWithoutRunningThem) {
    CJobManager manager;
    manager.StartJobThreads(1);
    SBlocker blocker;
    ASSERT_TRUE(manager.QueueJob(blocker.Job(), 0));
    ASSERT_TRUE(blocker.started.Wait(kPatienceMs));

    std::atomic<int> executed = 0;
    std::atomic<int> destroyed = 0;
    for (int i = 0; i < 3; ++i)
        manager.QueueJob(MakeJob([&] { ++executed; }, &destroyed),
                         i == 1 ? CJobManager::kUrgent : 0);

    std::thread stopper([&] { manager.StopJobThreads(); });
    // The stop has begun and is waiting for the blocker: the waiting jobs are
    // gone and new ones are refused.
    ASSERT_TRUE(WaitUntil([&] { return destroyed == 3; }));
    EXPECT_TRUE(manager.IsShuttingDown());
    std::atomic<int> lateDestroyed = 0;
    EXPECT_FALSE(manager.QueueJob(MakeJob([&] { ++executed; }, &lateDestroyed), 0));
    EXPECT_EQ(lateDestroyed, 1);

    blocker.release.Set();
    stopper.join();
    EXPECT_EQ(executed, 0);
    EXPECT_EQ(manager.IdleWorkerCount(), 0u);
    EXPECT_EQ(manager.BusyWorkerCount(), 0u);
}

// One job at a time: each is queued just as the worker finishes the previous
// one and heads for sleep, the moment a wake-up is easiest to lose.
TEST(JobManager, JobQueuedWhileTheWorkerGoesIdleStillRuns) {
    constexpr int kJobs = 3000;
    CJobManager manager;
    manager.StartJobThreads(1);
    std::atomic<int> ran = 0;
    for (int i = 0; i < kJobs; ++i) {
        ASSERT_TRUE(manager.QueueJob(MakeJob([&] { ++ran; }), 0));
        ASSERT_TRUE(WaitUntil([&] { return ran == i + 1; })) << "job " << i << " was never run";
    }
}

TEST(JobManager, EveryJobFromManyProducersRunsExactlyOnce) {
    constexpr int kRounds = 30;
    constexpr int kProducers = 4;
    constexpr int kJobsPerProducer = 250;
    constexpr int kJobs = kProducers * kJobsPerProducer;
    CJobManager manager;
    manager.StartJobThreads(2);
    for (int round = 0; round < kRounds; ++round) {
        std::vector<std::atomic<int>> runs(kJobs);
        std::atomic<int> ran = 0;
        std::atomic<int> destroyed = 0;
        std::vector<std::thread> producers;
        for (int p = 0; p < kProducers; ++p) {
            producers.emplace_back([&, p] {
                for (int i = 0; i < kJobsPerProducer; ++i) {
                    const int id = p * kJobsPerProducer + i;
                    const std::uint32_t flags = id % 7 == 0 ? CJobManager::kUrgent : 0;
                    auto job = MakeJob(
                        [&runs, &ran, id] {
                            ++runs[id];
                            ++ran;
                        },
                        &destroyed);
                    ASSERT_TRUE(manager.QueueJob(job, flags));
                }
            });
        }
        for (auto& producer : producers)
            producer.join();
        ASSERT_TRUE(WaitUntil([&] { return ran == kJobs && destroyed == kJobs; }))
            << "round " << round << ": " << ran << " ran, " << destroyed << " released";
        for (int id = 0; id < kJobs; ++id)
            ASSERT_EQ(runs[id], 1) << "round " << round << ", job " << id;
    }
    manager.StopJobThreads();
}

TEST(JobManager, StartsAndStopsRepeatedly) {
    CJobManager manager;
    for (int cycle = 0; cycle < 10; ++cycle) {
        ASSERT_EQ(manager.StartJobThreads(2), NResult::kOk);
        std::atomic<int> ran = 0;
        for (int i = 0; i < 20; ++i)
            ASSERT_TRUE(manager.QueueJob(MakeJob([&] { ++ran; }), 0));
        ASSERT_TRUE(WaitUntil([&] { return ran == 20; })) << "cycle " << cycle;
        manager.StopJobThreads();
        ASSERT_EQ(manager.IdleWorkerCount(), 0u);
    }
}

TEST(JobManager, ProcessWideFunctionsDriveOneManager) {
    ASSERT_EQ(NSys::StartJobThreads(1), NResult::kOk);
    EXPECT_EQ(NSys::JobManager().IdleWorkerCount(), 1u);
    std::atomic<bool> ran = false;
    EXPECT_TRUE(NSys::QueueJob(MakeJob([&] { ran = true; }), 0));
    EXPECT_TRUE(WaitUntil([&] { return ran.load(); }));
    NSys::StopJobThreads();
    EXPECT_FALSE(NSys::QueueJob(MakeJob([] {}), 0));
    EXPECT_EQ(NSys::JobManager().IdleWorkerCount(), 0u);
}
