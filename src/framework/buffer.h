#pragma once

#include "framework/dynamic_buffer.h"
#include "framework/result.h"
#include "framework/stream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace NIO {

namespace NBufferDetail {

constexpr std::uint64_t kGrowthStep = 4096;

// Storage for at least `needed` bytes in whole growth steps, and at least half
// as much again as `current`, so that a stream written piece by piece is copied
// a logarithmic number of times rather than once per step; -1 when `needed`
// exceeds what a 32-bit capacity can hold.
inline std::int64_t GrownCapacity(std::uint64_t needed, std::uint64_t current) {
    constexpr std::uint64_t kLargest =
        std::numeric_limits<std::int32_t>::max() & ~(kGrowthStep - 1);
    if (needed > kLargest)
        return -1;
    const std::uint64_t wanted = std::min(std::max(needed, current + current / 2), kLargest);
    return static_cast<std::int64_t>((wanted + kGrowthStep - 1) & ~(kGrowthStep - 1));
}

// `base` moved by `offset`, kept within 0 to `limit`.
inline std::uint64_t ClampedSeek(std::uint64_t base, std::int64_t offset, std::uint64_t limit) {
    base = std::min(base, limit);
    if (offset >= 0)
        return std::uint64_t(offset) >= limit - base ? limit : base + std::uint64_t(offset);
    const std::uint64_t back = std::uint64_t(-(offset + 1)) + 1;
    return back >= base ? 0 : base - back;
}

} // namespace NBufferDetail

// A growable in-memory stream. N is the inline size beyond the base 4 bytes:
// 0 for documents, reports and resources, 0x800 where small messages are the rule.
// Bytes between the old and the new end of a grown stream read as zero.
template <int N> class TBuffer final : public CBase {
public:
    TBuffer() { flags = kReadable | kWritable; }

    // Reads `memory` in place (read-only, never freed); the position goes to 0.
    void Borrow(const void* memory, std::size_t size) {
        m_storage.Borrow(static_cast<const unsigned char*>(memory));
        m_size = size;
        m_position = 0;
        ClearFlags(kWritable);
        SetFlags(kReadable);
    }

    // Empties the stream (keeping an owned block unless `release`) and makes it
    // readable and writable with every other flag cleared.
    void Clear(bool release = false) {
        m_storage.Clear(release);
        m_size = 0;
        m_position = 0;
        flags = kReadable | kWritable;
    }

    // Writing through Data() into a borrowed stream writes the lender's memory.
    unsigned char* Data() { return m_storage.Data(); }
    const unsigned char* Data() const { return m_storage.Data(); }
    std::int32_t Capacity() const { return m_storage.Capacity(); }

    std::size_t Read(void* buffer, std::size_t count) override {
        if (!HasFlags(kReadable))
            return 0;
        const auto taken = static_cast<std::size_t>(std::min<std::uint64_t>(count, Remaining()));
        if (taken == 0)
            return 0;
        std::memcpy(buffer, Data() + m_position, taken);
        m_position += taken;
        return taken;
    }

    // A write always ends the stream where it stopped.
    int WriteBytes(const void* buffer, std::size_t count) override {
        if (!HasFlags(kWritable))
            return NResult::kNotWritable;
        const std::uint64_t end = m_position + count;
        if (const int result = Reserve(end); result != NResult::kOk)
            return result;
        if (m_position > m_size)
            std::memset(Data() + m_size, 0, m_position - m_size);
        if (count)
            std::memcpy(Data() + m_position, buffer, count);
        m_position = end;
        m_size = end;
        return NResult::kOk;
    }

    std::uint64_t Size() const override { return m_size; }

    // Leaves the position where it is, even beyond the new size.
    int SetSize(std::uint64_t size) override {
        if (size > m_size) {
            if (const int result = Reserve(size); result != NResult::kOk)
                return result;
            std::memset(Data() + m_size, 0, size - m_size);
        }
        m_size = size;
        return NResult::kOk;
    }

    std::uint64_t Position() const override { return m_position; }

    int Seek(std::int64_t offset, int origin) override {
        if (origin < kSeekFromStart || origin > kSeekFromEnd)
            return NResult::kInvalidArgument;
        const std::uint64_t base = origin == kSeekFromStart     ? 0
                                   : origin == kSeekFromCurrent ? m_position
                                                                : m_size;
        m_position = NBufferDetail::ClampedSeek(base, offset, m_size);
        return NResult::kOk;
    }

    // Room for `needed` bytes in memory of the stream's own, keeping the content
    // up to there; NResult::kCannotGrow, and the content as it was, when it
    // cannot be had.
    int Reserve(std::uint64_t needed) {
        if (!m_storage.IsBorrowed() && needed <= std::uint64_t(m_storage.Capacity()))
            return NResult::kOk;
        const std::uint64_t current = m_storage.IsBorrowed() ? 0 : m_storage.Capacity();
        const std::int64_t capacity = NBufferDetail::GrownCapacity(needed, current);
        const auto keep = static_cast<std::size_t>(std::min(m_size, needed));
        if (capacity < 0 || !m_storage.Reallocate(static_cast<std::int32_t>(capacity), keep))
            return NResult::kCannotGrow;
        return NResult::kOk;
    }

private:
    NMem::TDynamicBuffer<unsigned char, N> m_storage;
    std::uint64_t m_size = 0;
    std::uint64_t m_position = 0;
};

} // namespace NIO
