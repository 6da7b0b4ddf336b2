#include "framework/stream.h"

#include "framework/result.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace NIO {

static_assert(std::endian::native == std::endian::little,
              "typed stream values are little-endian unless byte-swapped");

namespace {

bool IsLineEnd(char c) {
    return c == '\n' || c == '\r' || c == '\0';
}

} // namespace

void CBase::SwapIfBigEndian(unsigned char* bytes, std::size_t count) const {
    if (HasFlags(kByteSwapped))
        std::reverse(bytes, bytes + count);
}

template <typename T> T CBase::ReadValue() {
    unsigned char bytes[sizeof(T)] = {};
    ReadValueBytes(bytes, sizeof bytes);
    SwapIfBigEndian(bytes, sizeof bytes);
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

template <typename T> int CBase::WriteValue(T value) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof bytes);
    SwapIfBigEndian(bytes, sizeof bytes);
    return WriteValueBytes(bytes, sizeof bytes);
}

std::uint8_t CBase::ReadU8() {
    return ReadValue<std::uint8_t>();
}
std::uint16_t CBase::ReadU16() {
    return ReadValue<std::uint16_t>();
}
std::uint32_t CBase::ReadU32() {
    return ReadValue<std::uint32_t>();
}
std::uint64_t CBase::ReadU64() {
    return ReadValue<std::uint64_t>();
}
float CBase::ReadFloat() {
    return ReadValue<float>();
}
double CBase::ReadDouble() {
    return ReadValue<double>();
}

int CBase::WriteU8(std::uint8_t value) {
    return WriteValue(value);
}
int CBase::WriteU16(std::uint16_t value) {
    return WriteValue(value);
}
int CBase::WriteU32(std::uint32_t value) {
    return WriteValue(value);
}
int CBase::WriteU64(std::uint64_t value) {
    return WriteValue(value);
}
int CBase::WriteFloat(float value) {
    return WriteValue(value);
}
int CBase::WriteDouble(double value) {
    return WriteValue(value);
}

void CBase::ReadValueBytes(void* bytes, std::size_t count) {
    Read(bytes, count);
}

int CBase::WriteValueBytes(const void* bytes, std::size_t count) {
    return WriteBytes(bytes, count);
}

std::uint64_t CBase::Remaining() const {
    const std::uint64_t size = Size();
    const std::uint64_t position = Position();
    return position < size ? size - position : 0;
}

int CBase::WriteText(const char* text) {
    if (!text || !*text)
        return NResult::kNothingToWrite;
    return WriteBytes(text, std::strlen(text));
}

int CBase::ReadLine(char* buffer, std::size_t maxLength) {
    const std::uint64_t remaining = Remaining();
    if (remaining == 0)
        return NResult::kNoMoreData;
    const std::uint64_t start = Position();
    // One byte more than the search covers, to see the LF of a CR LF pair
    // whose CR is the last byte searched.
    char window[kLongestLine + 1];
    const std::size_t got = Read(window, std::min<std::uint64_t>(remaining, sizeof window));
    const std::size_t searched = std::min(got, kLongestLine);
    const std::size_t length = std::find_if(window, window + searched, IsLineEnd) - window;

    std::size_t consumed = length;
    if (length < searched) {
        consumed = length + 1;
        if (window[length] == '\r' && consumed < got && window[consumed] == '\n')
            ++consumed;
    } else if (got != remaining || got > kLongestLine) {
        Seek(static_cast<std::int64_t>(start), kSeekFromStart);
        return kNoLineEnd;
    }
    const std::size_t copied = std::min(length, maxLength);
    std::memcpy(buffer, window, copied);
    buffer[copied] = '\0';
    Seek(static_cast<std::int64_t>(start + consumed), kSeekFromStart);
    return NResult::kOk;
}

} // namespace NIO
