#pragma once

#include "framework/str.h"
#include "framework/thread_mutex.h"
#include "services/settings_paths.h"

#include <atomic>
#include <cstdint>

namespace NSettings {

// Bits of the application's flags word. Bits 0-7 live for one run only.
constexpr std::uint32_t kFlagChosenInOpenDialog = 0x1;
constexpr std::uint32_t kFlagSilent = 0x2;
constexpr std::uint32_t kFlagResultUnsaved = 0x4;
constexpr std::uint32_t kFlagReportRequested = 0x8;
constexpr std::uint32_t kFlagInstallerQueued = 0x20;
constexpr std::uint32_t kFlagInstallerWritten = 0x40;
constexpr std::uint32_t kFlagLoadFailed = 0x80;
// Bits 8-9: how often the update check runs.
constexpr std::uint32_t kUpdateFrequencyMask = 0x300;
constexpr std::uint32_t kUpdateNever = 0x000;
constexpr std::uint32_t kUpdateDaily = 0x100;
constexpr std::uint32_t kUpdateMonthly = 0x200;
constexpr std::uint32_t kUpdateWeekly = 0x300;
constexpr std::uint32_t kFlagMaximised = 0x10000;
constexpr std::uint32_t kFlagMatchCase = 0x20000;
constexpr std::uint32_t kFlagMatchWholeWords = 0x40000;
constexpr std::uint32_t kFlagOverviewPane = 0x100000;
constexpr std::uint32_t kFlagThreeWay = 0x800000;
constexpr std::uint32_t kFlagMerge = 0x2000000;
constexpr std::uint32_t kFlagToolbar = 0x40000000;

// Toolbar and overview pane shown, weekly update check, two-way comparison.
constexpr std::uint32_t kDefaultFlags = 0x40100300;
constexpr std::uint32_t kPersistedFlagMask = 0xFFFFFF00;
// What reading the stored word gives when there is none. A saved word never
// equals it: saving clears the low byte, which is not zero here.
constexpr std::uint32_t kFlagsSentinel = 0xCAB0BABE;

// The application's 32-bit flags word, of which the bits under
// kPersistedFlagMask are kept in the settings store. Any thread may read and
// change it: every access is atomic. Changing a persisted bit writes the word
// at once; other bits never reach the store.
class CFlags {
public:
    CFlags() = default;
    CFlags(const CFlags&) = delete;
    CFlags& operator=(const CFlags&) = delete;

    // Replaces the persisted bits by the stored word, or by `defaults` when
    // none is stored; the other bits stay.
    void Load(std::uint32_t defaults);
    // Writes the persisted bits; the store's result code.
    int Save();

    std::uint32_t Value() const { return m_value.load(std::memory_order_acquire); }
    // Whether every bit of `bits` is set.
    bool Has(std::uint32_t bits) const { return (Value() & bits) == bits; }
    bool HasAny(std::uint32_t bits) const { return (Value() & bits) != 0; }

    // Each of these saves when `bits` (or `field`) holds a persisted bit.
    void Set(std::uint32_t bits);
    void Clear(std::uint32_t bits);
    void Change(std::uint32_t bits, bool on) { on ? Set(bits) : Clear(bits); }
    // Makes the bits under `field` equal to those of `bits`.
    void Assign(std::uint32_t field, std::uint32_t bits);

private:
    // Sets the bits under `field` to `bits` in one atomic step.
    void Replace(std::uint32_t field, std::uint32_t bits);
    void SaveIfPersisted(std::uint32_t changed);

    std::atomic<std::uint32_t> m_value{0};
    // Keeps saves in order, so that the stored word is never older than the
    // last change that asked for a save.
    NSys::CThreadMutex m_saveMutex;
};

} // namespace NSettings
