#include "framework/thread.h"

#include <vector>

namespace NSys {

CThread::~CThread() {
    Stop();
}

bool CThread::Start() {
    if (m_running)
        return false;
    Create(false);
    m_stopFlags.store(0);
    m_endedInOrder = false;
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    if (m_stackSize != 0)
        pthread_attr_setstacksize(&attributes, m_stackSize);
    const int created = pthread_create(&m_handle, &attributes, &CThread::Entry, this);
    pthread_attr_destroy(&attributes);
    if (created != 0) {
        Close();
        return false;
    }
    m_running = true;
    return true;
}

bool CThread::Stop() {
    if (!m_running)
        return false;
    m_stopFlags.fetch_or(kStopRequested);
    Set();
    // Joining, rather than waiting for the thread to clear the stop bit,
    // also returns when Run ended without honouring the request.
    pthread_join(m_handle, nullptr);
    m_running = false;
    Close();
    return m_endedInOrder;
}

void* CThread::Entry(void* thread) {
    auto* self = static_cast<CThread*>(thread);
    self->m_endedInOrder = self->Run() != 0;
    return nullptr;
}

void RunSideBySide(std::size_t stackSize, std::span<const std::function<void()>> works) {
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, stackSize);
    const auto entry = [](void* argument) -> void* {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    std::vector<pthread_t> started;
    started.reserve(works.size());
    for (const std::function<void()>& work : works) {
        pthread_t thread;
        if (pthread_create(&thread, &attributes, entry,
                           const_cast<std::function<void()>*>(&work)) == 0)
            started.push_back(thread);
        else
            work();
    }
    pthread_attr_destroy(&attributes);
    for (const pthread_t thread : started)
        pthread_join(thread, nullptr);
}

void RunWithStack(std::size_t stackSize, const std::function<void()>& work) {
    RunSideBySide(stackSize, std::span(&work, 1));
}

} // namespace NSys
