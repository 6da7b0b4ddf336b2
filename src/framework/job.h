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

    // Jobs build and walk document trees whose operations may recurse along
    // the depth of a document; the stack is reserved, and only what is used
    // is ever committed.
    static constexpr std::size_t kStackSize = std::size_t(1) << 30;

    explicit CJobThread(CJobManager& manager) : m_manager(manager) { SetStackSize(kStackSize); }
    ~CJobThread() override { Stop(); }

protected:
    int Run() override;

private:
    CJobManager& m_manager;
};

} // namespace NSys
