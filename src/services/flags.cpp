#include "services/flags.h"

#include "services/registry.h"

#include <mutex>

namespace NSettings {

void CFlags::Load(std::uint32_t defaults) {
    const std::uint32_t stored = ReadDword(kFlagsPath, kFlagsSentinel);
    Replace(kPersistedFlagMask, stored == kFlagsSentinel ? defaults : stored);
}

int CFlags::Save() {
    std::lock_guard lock(m_saveMutex);
    return WriteDword(kFlagsPath, Value() & kPersistedFlagMask);
}

void CFlags::Set(std::uint32_t bits) {
    m_value.fetch_or(bits, std::memory_order_acq_rel);
    SaveIfPersisted(bits);
}

void CFlags::Clear(std::uint32_t bits) {
    m_value.fetch_and(~bits, std::memory_order_acq_rel);
    SaveIfPersisted(bits);
}

void CFlags::Assign(std::uint32_t field, std::uint32_t bits) {
    Replace(field, bits);
    SaveIfPersisted(field);
}

void CFlags::Replace(std::uint32_t field, std::uint32_t bits) {
    std::uint32_t old = m_value.load(std::memory_order_relaxed);
    while (!m_value.compare_exchange_weak(old, (old & ~field) | (bits & field),
                                          std::memory_order_acq_rel, std::memory_order_relaxed)) {
    }
}

void CFlags::SaveIfPersisted(std::uint32_t changed) {
    if ((changed & kPersistedFlagMask) != 0)
        Save();
}

} // namespace NSettings
