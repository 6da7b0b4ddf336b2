#pragma once

#include "framework/flag_word.h"

#include <cstddef>
#include <cstdint>

namespace NIO {

// Seek origins.
constexpr int kSeekFromStart = 0;
constexpr int kSeekFromCurrent = 1;
constexpr int kSeekFromEnd = 2;

// An abstract byte stream.
class CBase : public NPtr::CFlagWord {
public:
    static constexpr std::uint32_t kReadable = 0x1;
    static constexpr std::uint32_t kWritable = 0x2;

    CBase(const CBase&) = delete;
    CBase& operator=(const CBase&) = delete;
    virtual ~CBase() = default;

    // The number of bytes read.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    // A result code (NResult).
    virtual int WriteBytes(const void* buffer, std::size_t count) = 0;
    virtual std::uint64_t Size() const = 0;
    virtual int SetSize(std::uint64_t size) = 0;
    virtual std::uint64_t Position() const = 0;
    // `origin` is kSeekFromStart, kSeekFromCurrent or kSeekFromEnd.
    virtual int Seek(std::int64_t offset, int origin) = 0;

    // Bytes from the position to the end; 0 when the position is at or past it.
    std::uint64_t Remaining() const;

    // Writes a zero-terminated text without its terminator. kNothingToWrite for
    // a null or empty text, else the result of WriteBytes.
    int WriteText(const char* text);

protected:
    CBase() = default;
};

} // namespace NIO
