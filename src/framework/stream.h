#pragma once

#include "framework/flag_word.h"

#include <cstddef>
#include <cstdint>

namespace NIO {

// Seek origins.
constexpr int kSeekFromStart = 0;
constexpr int kSeekFromCurrent = 1;
constexpr int kSeekFromEnd = 2;

// ReadLine looks this far ahead for a line end.
constexpr std::size_t kLongestLine = 8192;
// ReadLine's result when no line end lies within kLongestLine bytes.
constexpr int kNoLineEnd = 0;

// An abstract byte stream with typed reads and writes. Multi-byte values are in
// the machine's little-endian order, or big-endian when kByteSwapped is set.
class CBase : public NPtr::CFlagWord {
public:
    static constexpr std::uint32_t kReadable = 0x1;
    static constexpr std::uint32_t kWritable = 0x2;
    static constexpr std::uint32_t kByteSwapped = 0x4;
    static constexpr std::uint32_t kReadPastEnd = 0x8;  // sticky
    static constexpr std::uint32_t kWriteFailed = 0x10; // sticky
    static constexpr std::uint32_t kFixedStorage = 0x100;

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

    // Typed reads return 0 for the bytes of a value they could not read.
    std::uint8_t ReadU8();
    std::uint16_t ReadU16();
    std::uint32_t ReadU32();
    std::uint64_t ReadU64();
    float ReadFloat();
    double ReadDouble();

    int WriteU8(std::uint8_t value);
    int WriteU16(std::uint16_t value);
    int WriteU32(std::uint32_t value);
    int WriteU64(std::uint64_t value);
    int WriteFloat(float value);
    int WriteDouble(double value);

    // Bytes from the position to the end; 0 when the position is at or past it.
    std::uint64_t Remaining() const;

    // Writes a zero-terminated text without its terminator. kNothingToWrite for
    // a null or empty text, else the result of WriteBytes.
    int WriteText(const char* text);

    // Reads the line at the position into `buffer`, which holds `maxLength`
    // characters plus a terminator; longer lines are cut there but consumed
    // whole. A line ends at LF, CR, CR LF or a zero byte, and the position moves
    // past that end. kOk, kNoMoreData at the end of the stream, or kNoLineEnd
    // (position unchanged) when the next kLongestLine bytes hold no line end.
    int ReadLine(char* buffer, std::size_t maxLength);

protected:
    CBase() = default;

    // Where typed reads and writes get and put their bytes. By default a read
    // takes what Read delivers and a write is a plain WriteBytes; streams that
    // can check the size first override them.
    virtual void ReadValueBytes(void* bytes, std::size_t count);
    virtual int WriteValueBytes(const void* bytes, std::size_t count);

private:
    template <typename T> T ReadValue();
    template <typename T> int WriteValue(T value);
    void SwapIfBigEndian(unsigned char* bytes, std::size_t count) const;
};

} // namespace NIO
