#pragma once

#include "framework/target.h"
#include "framework/thread.h"

namespace NSys {

class CJobManager;

// A unit of background work, queued with a job manager and run once on one
// of its workers. Reference-counted: the queue and then the worker hold it,
// so it may be released on any thread.
class CJob : public NPtr::CTarget {
public:
    virtual void Execute() = 0;
};

// A worker of a job manager: runs queued jobs, urgent ones first, and sleeps
// on its wake-up event when both queues are empty.
class CJobThread : public CThread {
public:
    // Name of every worker thread, as debuggers and `top -H` show it.
    static constexpr const char* kName = "Job Manager";

    explicit CJobThread(CJobManager& manager) : m_manager(manager) {}
    ~CJobThread() override { Stop(); }

protected:
    int Run() override;

private:
    CJobManager& m_manager;
};

} // namespace NSys
