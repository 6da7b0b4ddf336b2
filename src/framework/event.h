#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace NSys {

// A signal that threads wait for. An auto-reset event lets one wait through
// per Set and then falls back to non-signalled; a manual-reset event stays
// signalled until Reset. A Set with nobody waiting is kept, not lost. The
// event does nothing until Create.
class CEvent {
public:
    static constexpr std::uint32_t kNoTimeout = 0xFFFFFFFF;

    CEvent() = default;
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;
    virtual ~CEvent() = default;

    // (Re)opens the event, not signalled.
    void Create(bool manualReset);
    // False when no event is open.
    bool Set();
    bool Reset();
    // Waits until the event is signalled, `timeoutMs` have passed or the event
    // is closed; true only in the first case.
    bool Wait(std::uint32_t timeoutMs = kNoTimeout);
    // Closes the event; waiting threads return false.
    void Close();
    bool IsOpen() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_open = false;
    bool m_manualReset = false;
    bool m_signalled = false;
};

} // namespace NSys
