#pragma once

#include "framework/array.h"
#include "framework/atomic_queue.h"
#include "framework/job.h"
#include "framework/thread_mutex.h"

#include <atomic>
#include <cstdint>

namespace NSys {

// A pool of worker threads running jobs from an urgent and a normal queue.
// Workers are idle (asleep on their event) or busy (taking and running jobs);
// queuing a job wakes one idle worker. The process has one (JobManager());
// tests make their own.
class CJobManager {
public:
    // QueueJob flag: run before every job of the normal queue.
    static constexpr std::uint32_t kUrgent = 1;

    CJobManager() = default;
    CJobManager(const CJobManager&) = delete;
    CJobManager& operator=(const CJobManager&) = delete;
    ~CJobManager();

    // Starts `count` workers, or with a count below 1 one per processor (at
    // most 16), none pinned to a processor. Workers that cannot be made are
    // skipped. NResult::kOk, or kNoMemory when the
    // worker lists could not grow.
    int StartJobThreads(int count);
    // Queues `job` (urgent with kUrgent in `flags`) and wakes an idle worker.
    // False, and the job is not kept, for an empty holder, during shut-down or
    // when the queue cannot grow.
    bool QueueJob(const NPtr::THolder<CJob>& job, std::uint32_t flags);
    // Refuses further jobs, releases the waiting ones without running them,
    // waits for the running ones to end and then stops every worker.
    void StopJobThreads();

    bool IsShuttingDown() const { return m_shuttingDown.load(); }
    std::uint32_t IdleWorkerCount() const;
    std::uint32_t BusyWorkerCount() const;

private:
    friend class CJobThread;

    // The next job with the queue's reference handed over: urgent ones first.
    NPtr::THolder<CJob> TakeNextJob();
    // Called by a worker that found both queues empty. Moves it from the busy
    // to the idle list and returns true (it may sleep), unless a job arrived
    // meanwhile: then it stays busy and must look again.
    bool GoIdle(CJobThread& worker);
    // Moves the last idle worker to the busy list and signals it. Needs m_lock.
    void WakeOneWorker();
    // Makes room so that moving workers between the lists never fails.
    bool ReserveWorkerSlots(std::uint32_t added);

    // Guards both worker lists. Lock order: m_lock, then a queue's lock.
    mutable CThreadMutex m_lock;
    NPtr::TArray<CJobThread> m_busy;
    NPtr::TArray<CJobThread> m_idle;
    NPtr::PAtomicQueue<CJob> m_urgent;
    NPtr::PAtomicQueue<CJob> m_normal;
    std::atomic<bool> m_shuttingDown{false};
};

// Workers for a request of `requested`: itself when 1 or more, else one per
// processor of `processors`, at least 1 and at most 16.
int JobThreadCountFor(int requested, unsigned processors);

// The process-wide job manager and the functions that drive it.
CJobManager& JobManager();
int StartJobThreads(int count);
bool QueueJob(const NPtr::THolder<CJob>& job, std::uint32_t flags);
void StopJobThreads();

} // namespace NSys
