#include "xml/input_decoder.h"

#include "framework/result.h"
#include "framework/stream.h"
#include "text/charset.h"
#include "text/utf.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>

namespace NXML {

namespace {

constexpr std::size_t kFewestBytes = 4;
constexpr std::string_view kSpaceBytes = "\t\n\r ";
constexpr std::string_view kQuoteMarks = "\"'";

enum class EByteOrderMark { kNone, kUtf8, kUtf16Be, kUtf16Le };

EByteOrderMark ByteOrderMarkOf(const unsigned char* bytes) {
    if (bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
        return EByteOrderMark::kUtf8;
    if (bytes[0] == 0xFE && bytes[1] == 0xFF)
        return EByteOrderMark::kUtf16Be;
    if (bytes[0] == 0xFF && bytes[1] == 0xFE)
        return EByteOrderMark::kUtf16Le;
    return EByteOrderMark::kNone;
}

// Bytes before the first zero byte; the text ends there.
std::size_t LengthUpToZero(const char* bytes, std::size_t count) {
    const void* zero = std::memchr(bytes, 0, count);
    return zero != nullptr ? static_cast<std::size_t>(static_cast<const char*>(zero) - bytes)
                           : count;
}

// Reads everything from the position to the end. kOk or kNoMemory.
int ReadAll(NIO::CBase& stream, NString::TStr<char>& bytes, std::size_t& count) {
    const std::uint64_t remaining = stream.Remaining();
    // TStr lengths are ints, and a terminator must fit as well.
    if (remaining >= std::uint64_t(std::numeric_limits<int>::max() - 8))
        return NResult::kNoMemory;
    if (bytes.Reserve(static_cast<int>(remaining)) == 0)
        return NResult::kNoMemory;
    count = 0;
    while (count < remaining) {
        const std::size_t read =
            stream.Read(bytes.Text(static_cast<int>(count)), remaining - count);
        if (read == 0)
            break;
        count += read;
    }
    *bytes.Text(static_cast<int>(count)) = 0;
    return NResult::kOk;
}

// Calls `visit` with each code point of the UTF-16 units in `bytes`, up to
// the first zero unit. Surrogate pairs are combined; a surrogate without its
// partner is dropped, and so is an odd last byte.
template <typename FVisit>
void ForEachUtf16CodePoint(const unsigned char* bytes, std::size_t count, bool bigEndian,
                           FVisit visit) {
    const auto unitAt = [&](std::size_t index) -> char32_t {
        const char32_t first = bytes[index];
        const char32_t second = bytes[index + 1];
        return bigEndian ? (first << 8) | second : (second << 8) | first;
    };
    const auto isHigh = [](char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; };
    const auto isLow = [](char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; };
    for (std::size_t index = 0; index + 1 < count; index += 2) {
        const char32_t unit = unitAt(index);
        if (unit == 0)
            return;
        if (isHigh(unit) && index + 3 < count && isLow(unitAt(index + 2))) {
            visit(0x10000 + ((unit - 0xD800) << 10) + (unitAt(index + 2) - 0xDC00));
            index += 2;
        } else if (!isHigh(unit) && !isLow(unit)) {
            visit(unit);
        }
    }
}

int DecodeUtf16(const unsigned char* bytes, std::size_t count, bool bigEndian,
                NString::TStr<char>& text) {
    std::size_t length = 0;
    ForEachUtf16CodePoint(bytes, count, bigEndian, [&](char32_t codePoint) {
        length += std::size_t(NString::EncodedLengthUtf8(codePoint));
    });
    if (length >= std::size_t(std::numeric_limits<int>::max() - 8) ||
        text.Reserve(static_cast<int>(length)) == 0)
        return NResult::kNoMemory;
    char* out = text.Text();
    ForEachUtf16CodePoint(bytes, count, bigEndian,
                          [&](char32_t codePoint) { out += NString::EncodeChar(codePoint, out); });
    *out = 0;
    return NResult::kOk;
}

// Text in the character set its declaration names (UTF-8 by default).
int DecodeDeclared(NString::TStr<char>& raw, std::size_t count, NString::TStr<char>& text,
                   int& charset) {
    const std::size_t length = LengthUpToZero(raw.Text(), count);
    charset = NString::CharsetFromName(DeclaredCharsetName(raw.Text(), length).c_str());
    if (!NString::HasConverter(charset))
        return NResult::kUnsupportedCharset;
    if (charset == NString::kCharsetUtf8) {
        *raw.Text(static_cast<int>(length)) = 0;
        text = std::move(raw);
        return NResult::kOk;
    }
    if (NString::ToUtf8(text, raw.Text(), length, charset) == 0)
        return NResult::kNoMemory;
    return NResult::kOk;
}

} // namespace

int DecodeInput(NIO::CBase& stream, NString::TStr<char>& text, int& charset, bool* byteOrderMark) {
    charset = 0;
    if (byteOrderMark != nullptr)
        *byteOrderMark = false;
    NString::TStr<char> raw;
    std::size_t count = 0;
    if (const int result = ReadAll(stream, raw, count); result != NResult::kOk)
        return result;
    if (count < kFewestBytes)
        return NResult::kNothingParsed;
    const auto* bytes = reinterpret_cast<const unsigned char*>(raw.Text());
    const EByteOrderMark mark = ByteOrderMarkOf(bytes);
    if (byteOrderMark != nullptr)
        *byteOrderMark = mark != EByteOrderMark::kNone;
    switch (mark) {
    case EByteOrderMark::kUtf8: {
        charset = NString::kCharsetUtf8;
        const std::size_t length = LengthUpToZero(raw.Text(3), count - 3);
        std::memmove(raw.Text(), raw.Text(3), length);
        *raw.Text(static_cast<int>(length)) = 0;
        text = std::move(raw);
        return NResult::kOk;
    }
    case EByteOrderMark::kUtf16Be:
        charset = NString::kCharsetUtf16Be;
        return DecodeUtf16(bytes + 2, count - 2, true, text);
    case EByteOrderMark::kUtf16Le:
        charset = NString::kCharsetUtf16Le;
        return DecodeUtf16(bytes + 2, count - 2, false, text);
    case EByteOrderMark::kNone:
        break;
    }
    return DecodeDeclared(raw, count, text, charset);
}

std::string DeclaredCharsetName(const char* text, std::size_t length) {
    const std::string_view input(text, length);
    const std::size_t start = input.find_first_not_of(kSpaceBytes);
    // Only a real declaration counts: "<?xml" followed by whitespace, not an
    // instruction such as "<?xml-stylesheet".
    if (start == std::string_view::npos || input.compare(start, 5, "<?xml") != 0 ||
        start + 5 >= input.size() || kSpaceBytes.find(input[start + 5]) == std::string_view::npos)
        return "UTF-8";
    // Confined to the declaration, so that the word "encoding" in the
    // document's content cannot be taken for the declaration's.
    std::string_view declaration = input.substr(start);
    declaration = declaration.substr(0, declaration.find("?>"));
    const std::size_t keyword = declaration.find("encoding");
    if (keyword == std::string_view::npos)
        return "UTF-8";
    const std::size_t equals = declaration.find('=', keyword);
    std::size_t nameStart = declaration.find_first_not_of(
        kSpaceBytes, equals == std::string_view::npos ? declaration.size() : equals + 1);
    if (nameStart == std::string_view::npos)
        return "  ";
    ++nameStart; // the opening quote, whatever it is
    std::string_view name = declaration.substr(std::min(nameStart, declaration.size()));
    name = name.substr(0, std::min(name.find_first_of(kQuoteMarks), kLongestDeclaredCharsetName));
    std::string spaced;
    spaced.reserve(name.size() + 2);
    spaced.append(1, ' ').append(name).append(1, ' ');
    return spaced;
}

} // namespace NXML
