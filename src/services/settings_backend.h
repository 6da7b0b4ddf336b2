#pragma once

#include "framework/thread_mutex.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The store beneath the settings layer. A setting is a value named by a
// subkey path (backslash-separated, below the user's root) and a value name;
// it holds a 32-bit word, a UTF-16 string or a run of bytes, and keeps its
// type: reading never converts one kind into another.
namespace NSettings {

// Failure codes of the settings layer, beside NResult::kOk and kCannotGrow.
constexpr int kStoreFailed = 0;
constexpr int kValueUnreadable = 7;
constexpr int kKeyNotOpened = 9;

using CBytes = std::vector<std::uint8_t>;
using CStoredValue = std::variant<std::uint32_t, std::u16string, CBytes>;

// Where one value lives: its subkey path and its name within that subkey.
struct SValuePath {
    std::u16string_view subkey;
    std::u16string_view name;
};

// A place that keeps settings. Implementations must accept calls from any
// thread.
class CBackend {
public:
    CBackend() = default;
    CBackend(const CBackend&) = delete;
    CBackend& operator=(const CBackend&) = delete;
    virtual ~CBackend() = default;

    // NResult::kOk with `value` filled; kKeyNotOpened when the subkey cannot
    // be reached; kValueUnreadable when no value of a known type is stored.
    virtual int Read(const SValuePath& path, CStoredValue& value) = 0;
    // Stores `value`, replacing whatever was there. NResult::kOk,
    // kKeyNotOpened, or kStoreFailed.
    virtual int Write(const SValuePath& path, const CStoredValue& value) = 0;
    // Removes the subkey with every value and subkey below it. NResult::kOk
    // (also when there was nothing to remove), kKeyNotOpened, or kStoreFailed.
    virtual int DeleteKey(std::u16string_view subkey) = 0;
};

// Keeps settings in memory for the life of the object: the store of a run
// that has no persistent one, and of tests.
class CMemoryBackend final : public CBackend {
public:
    int Read(const SValuePath& path, CStoredValue& value) override;
    int Write(const SValuePath& path, const CStoredValue& value) override;
    int DeleteKey(std::u16string_view subkey) override;

private:
    // Values keyed by "subkey\name", so that a subkey's whole subtree is one
    // contiguous range of keys starting with "subkey\".
    std::map<std::u16string, CStoredValue, std::less<>> m_values;
    NSys::CThreadMutex m_mutex;
};

// The backend every settings read and write goes to. Until one is installed
// this is a process-wide in-memory backend.
CBackend& CurrentBackend();

// Makes `backend` current (null brings back the in-memory one) and returns
// the previous one. The caller keeps `backend` alive while it is current.
CBackend* InstallBackend(CBackend* backend);

// Installs a backend for the life of a scope and then puts back the previous one.
class CScopedBackend {
public:
    explicit CScopedBackend(CBackend& backend) : m_previous(InstallBackend(&backend)) {}
    CScopedBackend(const CScopedBackend&) = delete;
    CScopedBackend& operator=(const CScopedBackend&) = delete;
    ~CScopedBackend() { InstallBackend(m_previous); }

private:
    CBackend* m_previous;
};

} // namespace NSettings
