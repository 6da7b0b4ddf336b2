#include "framework/job_manager.h"

#include "framework/result.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <new>
#include <thread>

namespace NSys {
namespace {

constexpr int kMostDefaultWorkers = 16;
constexpr auto kBusyPollInterval = std::chrono::milliseconds(100);

bool EnsureCapacity(NPtr::CArray& array, std::uint32_t capacity) {
    return array.Capacity() >= capacity || array.Reserve(capacity) == NResult::kOk;
}

} // namespace

int JobThreadCountFor(int requested, unsigned processors) {
    if (requested >= 1)
        return requested;
    return static_cast<int>(std::clamp(processors, 1u, unsigned{kMostDefaultWorkers}));
}

CJobManager::~CJobManager() {
    StopJobThreads();
}

bool CJobManager::ReserveWorkerSlots(std::uint32_t added) {
    const std::uint32_t total = m_idle.Count() + m_busy.Count() + added;
    return EnsureCapacity(m_idle, total) && EnsureCapacity(m_busy, total);
}

int CJobManager::StartJobThreads(int count) {
    const int workers = JobThreadCountFor(count, std::thread::hardware_concurrency());
    std::lock_guard lock(m_lock);
    if (!ReserveWorkerSlots(static_cast<std::uint32_t>(workers)))
        return NResult::kNoMemory;
    m_shuttingDown.store(false);
    for (int i = 0; i < workers; ++i) {
        auto* worker = new (std::nothrow) CJobThread(*this);
        if (worker == nullptr)
            continue;
        if (!worker->Start()) {
            delete worker;
            continue;
        }
        m_idle.Add(worker);
    }
    return NResult::kOk;
}

bool CJobManager::QueueJob(const NPtr::THolder<CJob>& job, std::uint32_t flags) {
    if (!job)
        return false;
    // Under the manager lock, so that StopJobThreads, which raises the flag
    // under it too, never misses a job pushed behind its back.
    std::lock_guard lock(m_lock);
    if (m_shuttingDown.load())
        return false;
    auto& queue = (flags & kUrgent) != 0 ? m_urgent : m_normal;
    if (queue.Push(job) != NResult::kOk)
        return false;
    WakeOneWorker();
    return true;
}

void CJobManager::WakeOneWorker() {
    if (CJobThread* worker = m_idle.PopBack()) {
        m_busy.Add(worker);
        worker->Set();
    }
}

NPtr::THolder<CJob> CJobManager::TakeNextJob() {
    if (NPtr::THolder<CJob> job = m_urgent.Pop())
        return job;
    return m_normal.Pop();
}

bool CJobManager::GoIdle(CJobThread& worker) {
    std::lock_guard lock(m_lock);
    // A job queued after the worker found the queues empty, while no worker
    // was idle to be woken, would otherwise wait with every worker asleep. The
    // counts are atomic, so no queue lock is taken under the manager lock.
    if (m_urgent.Count() != 0 || m_normal.Count() != 0)
        return false;
    if (m_busy.Remove(&worker) != nullptr)
        m_idle.Add(&worker);
    return true;
}

void CJobManager::StopJobThreads() {
    {
        std::lock_guard lock(m_lock);
        m_shuttingDown.store(true);
    }
    m_urgent.Clear(false);
    m_normal.Clear(false);
    while (BusyWorkerCount() != 0)
        std::this_thread::sleep_for(kBusyPollInterval);
    // Stopped outside the lock: a worker may still need it to go idle.
    NPtr::TArray<CJobThread> workers;
    {
        std::lock_guard lock(m_lock);
        workers = std::move(m_idle);
    }
    workers.DeleteAll();
}

std::uint32_t CJobManager::IdleWorkerCount() const {
    std::lock_guard lock(m_lock);
    return m_idle.Count();
}

std::uint32_t CJobManager::BusyWorkerCount() const {
    std::lock_guard lock(m_lock);
    return m_busy.Count();
}

CJobManager& JobManager() {
    static CJobManager manager;
    return manager;
}

int StartJobThreads(int count) {
    return JobManager().StartJobThreads(count);
}

bool QueueJob(const NPtr::THolder<CJob>& job, std::uint32_t flags) {
    return JobManager().QueueJob(job, flags);
}

void StopJobThreads() {
    JobManager().StopJobThreads();
}

} // namespace NSys
