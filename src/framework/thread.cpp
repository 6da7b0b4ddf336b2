#include "framework/thread.h"

#include <sched.h>

namespace NSys {
namespace {

constexpr int kMaskBits = 32;

// Bit i set when processor i (below 32) is one this process may run on.
std::uint32_t UsableProcessors() {
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (sched_getaffinity(0, sizeof allowed, &allowed) != 0)
        return 0;
    std::uint32_t mask = 0;
    for (int cpu = 0; cpu < kMaskBits; ++cpu) {
        if (CPU_ISSET(cpu, &allowed))
            mask |= 1u << cpu;
    }
    return mask;
}

void PinCurrentThread(std::uint32_t mask) {
    cpu_set_t pinned;
    CPU_ZERO(&pinned);
    for (int cpu = 0; cpu < kMaskBits; ++cpu) {
        if ((mask >> cpu) & 1u)
            CPU_SET(cpu, &pinned);
    }
    pthread_setaffinity_np(pthread_self(), sizeof pinned, &pinned);
}

} // namespace

CThread::~CThread() {
    Stop();
}

bool CThread::Start(std::uint32_t affinityMask) {
    if (m_running)
        return false;
    Create(false);
    m_stopFlags.store(0);
    m_affinityMask.store(affinityMask);
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
    self->ApplyAffinity();
    self->m_endedInOrder = self->Run() != 0;
    return nullptr;
}

void CThread::ApplyAffinity() {
    const std::uint32_t asked = m_affinityMask.load();
    if (asked == kAnyProcessor)
        return;
    const std::uint32_t usable = asked & UsableProcessors();
    m_affinityMask.store(usable);
    // An empty set would be refused by the system; the thread stays unpinned.
    if (usable != 0)
        PinCurrentThread(usable);
}

void RunWithStack(std::size_t stackSize, const std::function<void()>& work) {
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, stackSize);
    const auto entry = [](void* argument) -> void* {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    pthread_t thread;
    const bool started =
        pthread_create(&thread, &attributes, entry, const_cast<std::function<void()>*>(&work)) == 0;
    pthread_attr_destroy(&attributes);
    if (started)
        pthread_join(thread, nullptr);
    else
        work();
}

} // namespace NSys
