#include "framework/job.h"

#include "framework/job_manager.h"

#include <pthread.h>

namespace NSys {

int CJobThread::Run() {
    pthread_setname_np(pthread_self(), kName);
    while (!StopRequested()) {
        if (NPtr::THolder<CJob> job = m_manager.TakeNextJob()) {
            job->Execute();
            continue;
        }
        if (m_manager.GoIdle(*this))
            Wait();
    }
    return 1;
}

} // namespace NSys
