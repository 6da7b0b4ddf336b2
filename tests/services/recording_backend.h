#pragma once

#include "framework/result.h"
#include "services/settings_backend.h"

#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace NSettingsTest {

// An in-memory settings backend for tests: counts the writes to each whole
// path, remembers the last location it was asked about, and can be told to
// refuse a subkey or to fail every store. Installed for the life of the
// object; safe to call from several threads.
class CRecordingBackend : public NSettings::CBackend {
public:
    CRecordingBackend() : m_scope(*this) {}

    int Read(const NSettings::SValuePath& path, NSettings::CStoredValue& value) override {
        std::lock_guard lock(m_mutex);
        Remember(path);
        if (IsRefused(path.subkey))
            return NSettings::kKeyNotOpened;
        return m_store.Read(path, value);
    }

    int Write(const NSettings::SValuePath& path, const NSettings::CStoredValue& value) override {
        std::lock_guard lock(m_mutex);
        Remember(path);
        if (IsRefused(path.subkey))
            return NSettings::kKeyNotOpened;
        ++m_writes[WholePath(path)];
        if (m_failStores)
            return NSettings::kStoreFailed;
        return m_store.Write(path, value);
    }

    int DeleteKey(std::u16string_view subkey) override {
        std::lock_guard lock(m_mutex);
        lastDeleted = std::u16string(subkey);
        if (IsRefused(subkey))
            return NSettings::kKeyNotOpened;
        return m_store.DeleteKey(subkey);
    }

    // Writes that reached the backend for `path`, successful or not.
    int WritesTo(const std::u16string& path) const {
        const auto found = m_writes.find(path);
        return found == m_writes.end() ? 0 : found->second;
    }
    int TotalWrites() const {
        int total = 0;
        for (const auto& [path, count] : m_writes)
            total += count;
        return total;
    }

    void Refuse(std::u16string subkey) { m_refused = std::move(subkey); }
    void FailStores(bool fail) { m_failStores = fail; }

    // The location of the last read or write, as the backend received it.
    std::u16string lastSubkey;
    std::u16string lastName;
    std::optional<std::u16string> lastDeleted;

private:
    static std::u16string WholePath(const NSettings::SValuePath& path) {
        return std::u16string(path.subkey) + u'\\' + std::u16string(path.name);
    }
    void Remember(const NSettings::SValuePath& path) {
        lastSubkey = std::u16string(path.subkey);
        lastName = std::u16string(path.name);
    }
    bool IsRefused(std::u16string_view subkey) const {
        return m_refused.has_value() && subkey == *m_refused;
    }

    std::mutex m_mutex;
    NSettings::CMemoryBackend m_store;
    std::map<std::u16string, int> m_writes;
    std::optional<std::u16string> m_refused;
    bool m_failStores = false;
    NSettings::CScopedBackend m_scope;
};

} // namespace NSettingsTest
