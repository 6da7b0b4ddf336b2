#include "services/settings_backend.h"

#include "framework/result.h"

#include <atomic>
#include <mutex>

namespace NSettings {

namespace {

std::u16string JoinPath(const SValuePath& path) {
    std::u16string joined;
    joined.reserve(path.subkey.size() + 1 + path.name.size());
    joined.append(path.subkey).append(1, u'\\').append(path.name);
    return joined;
}

CMemoryBackend& BuiltInBackend() {
    static CMemoryBackend backend;
    return backend;
}

std::atomic<CBackend*> g_current{nullptr};

} // namespace

int CMemoryBackend::Read(const SValuePath& path, CStoredValue& value) {
    std::lock_guard lock(m_mutex);
    const auto found = m_values.find(JoinPath(path));
    if (found == m_values.end())
        return kValueUnreadable;
    value = found->second;
    return NResult::kOk;
}

int CMemoryBackend::Write(const SValuePath& path, const CStoredValue& value) {
    std::lock_guard lock(m_mutex);
    m_values.insert_or_assign(JoinPath(path), value);
    return NResult::kOk;
}

int CMemoryBackend::DeleteKey(std::u16string_view subkey) {
    std::u16string prefix(subkey);
    prefix += u'\\';
    std::lock_guard lock(m_mutex);
    auto first = m_values.lower_bound(prefix);
    auto last = first;
    while (last != m_values.end() && last->first.starts_with(prefix))
        ++last;
    m_values.erase(first, last);
    return NResult::kOk;
}

CBackend& CurrentBackend() {
    CBackend* installed = g_current.load(std::memory_order_acquire);
    return installed != nullptr ? *installed : BuiltInBackend();
}

CBackend* InstallBackend(CBackend* backend) {
    CBackend* previous = g_current.exchange(backend, std::memory_order_acq_rel);
    return previous != nullptr ? previous : &BuiltInBackend();
}

} // namespace NSettings
