#include "xml/input_decoder.h"

#include "framework/result.h"
#include "framework/stream.h"
#include "framework/utf.h"
#include "text/charset.h"
#include "text/system_charset.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>

namespace NXML {

namespace {

// Bytes looked at to tell the character set by its first character.
constexpr std::size_t kSniffedBytes = 4;
constexpr std::size_t kFirstReadSize = 64 * 1024;
constexpr std::string_view kSpaceBytes = "\t\n\r ";
constexpr std::string_view kQuoteMarks = "\"'";

enum class EInputForm { kDeclared, kUtf8WithMark, kUtf16Be, kUtf16Le };

bool IsMarkupStartByte(unsigned char byte) {
    return byte == '<' || kSpaceBytes.find(static_cast<char>(byte)) != std::string_view::npos;
}

// The form from the first bytes: a byte-order mark, or else UTF-16 without
// one, whose first two characters, "<" or whitespace and then anything in
// the ASCII range, show a zero byte beside each.
EInputForm InputFormOf(const unsigned char* bytes, bool& byteOrderMark) {
    byteOrderMark = true;
    if (bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
        return EInputForm::kUtf8WithMark;
    if (bytes[0] == 0xFE && bytes[1] == 0xFF)
        return EInputForm::kUtf16Be;
    if (bytes[0] == 0xFF && bytes[1] == 0xFE)
        return EInputForm::kUtf16Le;
    byteOrderMark = false;
    if (bytes[0] == 0 && IsMarkupStartByte(bytes[1]) && bytes[2] == 0 && bytes[3] != 0)
        return EInputForm::kUtf16Be;
    if (IsMarkupStartByte(bytes[0]) && bytes[1] == 0 && bytes[2] != 0 && bytes[3] == 0)
        return EInputForm::kUtf16Le;
    return EInputForm::kDeclared;
}

// Bytes before the first zero byte; the text ends there.
std::size_t LengthUpToZero(const char* bytes, std::size_t count, SInputForm& form) {
    const void* zero = std::memchr(bytes, 0, count);
    if (zero == nullptr)
        return count;
    form.stoppedBy = EParseProblem::kZeroByte;
    return static_cast<std::size_t>(static_cast<const char*>(zero) - bytes);
}

constexpr std::size_t kLongestInput = std::size_t(std::numeric_limits<int>::max() - 8);

// Makes room for `capacity` bytes and a terminator, keeping the first `used`.
bool GrowKeeping(NString::TStr<char>& bytes, std::size_t used, std::size_t capacity) {
    NString::TStr<char> grown;
    if (capacity >= kLongestInput || grown.Reserve(static_cast<int>(capacity)) == 0)
        return false;
    std::memcpy(grown.Text(), bytes.Text(), used);
    bytes = std::move(grown);
    return true;
}

// Reads everything from the position to the end. The size the stream tells
// is only the first guess: a pipe tells none, and reading goes on until the
// stream gives no more. The bytes after the last one read, up to the sniffed
// length, are zero. kOk or kNoMemory.
int ReadAll(NIO::CBase& stream, NString::TStr<char>& bytes, std::size_t& count) {
    const std::uint64_t told = stream.Remaining();
    std::size_t capacity =
        told > 0 ? std::size_t(std::min<std::uint64_t>(told, kLongestInput)) + 1 : kFirstReadSize;
    count = 0;
    if (!GrowKeeping(bytes, 0, std::max(capacity, kSniffedBytes)))
        return NResult::kNoMemory;
    while (true) {
        if (count == capacity) {
            capacity = std::min(capacity * 2, kLongestInput);
            if (count == capacity || !GrowKeeping(bytes, count, capacity))
                return NResult::kNoMemory;
        }
        const std::size_t read = stream.Read(bytes.Text(static_cast<int>(count)), capacity - count);
        if (read == 0)
            break;
        count += read;
    }
    std::memset(bytes.Text(static_cast<int>(count)), 0,
                count < kSniffedBytes ? kSniffedBytes - count + 1 : 1);
    return NResult::kOk;
}

// Calls `visit` with each code point of the UTF-16 units in `bytes`, up to
// the first zero unit or the first unit that is no whole character (half of
// a surrogate pair, an odd last byte), where `form` records why it stopped.
template <typename FVisit>
void ForEachUtf16CodePoint(const unsigned char* bytes, std::size_t count, bool bigEndian,
                           SInputForm& form, FVisit visit) {
    const auto unitAt = [&](std::size_t index) -> char32_t {
        const char32_t first = bytes[index];
        const char32_t second = bytes[index + 1];
        return bigEndian ? (first << 8) | second : (second << 8) | first;
    };
    const auto isHigh = [](char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; };
    const auto isLow = [](char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; };
    std::size_t index = 0;
    for (; index + 1 < count; index += 2) {
        const char32_t unit = unitAt(index);
        if (unit == 0) {
            form.stoppedBy = EParseProblem::kZeroByte;
            return;
        }
        if (isHigh(unit) && index + 3 < count && isLow(unitAt(index + 2))) {
            visit(0x10000 + ((unit - 0xD800) << 10) + (unitAt(index + 2) - 0xDC00));
            index += 2;
        } else if (isHigh(unit) || isLow(unit)) {
            form.stoppedBy = EParseProblem::kBrokenUtf16;
            return;
        } else {
            visit(unit);
        }
    }
    if (index < count)
        form.stoppedBy = EParseProblem::kBrokenUtf16;
}

int DecodeUtf16(const unsigned char* bytes, std::size_t count, bool bigEndian,
                NString::TStr<char>& text, SInputForm& form) {
    std::size_t length = 0;
    ForEachUtf16CodePoint(bytes, count, bigEndian, form, [&](char32_t codePoint) {
        length += std::size_t(NString::EncodedLengthUtf8(codePoint));
    });
    if (length >= kLongestInput || text.Reserve(static_cast<int>(length)) == 0)
        return NResult::kNoMemory;
    char* out = text.Text();
    ForEachUtf16CodePoint(bytes, count, bigEndian, form,
                          [&](char32_t codePoint) { out += NString::EncodeChar(codePoint, out); });
    *out = 0;
    return NResult::kOk;
}

// Text in a set the own tables lack. A file whose bytes would not come back
// as they are (bytes the set does not define, a character with more than one
// form) is refused: unchanged parts of it could not be saved unchanged.
int DecodeWithSystem(std::string_view bytes, int charset, NString::TStr<char>& text) {
    NString::CSystemCharset system(charset);
    if (!system.Exists())
        return NResult::kUnsupportedCharset;
    std::string decoded;
    std::string encoded;
    if (!system.Decode(bytes, decoded) || !system.Encode(decoded, encoded) || encoded != bytes)
        return NResult::kInexactCharset;
    if (decoded.size() >= kLongestInput || text.Reserve(static_cast<int>(decoded.size())) == 0)
        return NResult::kNoMemory;
    std::memcpy(text.Text(), decoded.data(), decoded.size() + 1);
    return NResult::kOk;
}

// Text in the character set its declaration names (UTF-8 by default).
int DecodeDeclared(NString::TStr<char>& raw, std::size_t count, NString::TStr<char>& text,
                   SInputForm& form) {
    const std::size_t length = LengthUpToZero(raw.Text(), count, form);
    form.charset = NString::CharsetFromName(DeclaredCharsetName(raw.Text(), length).c_str());
    if (!NString::HasConverter(form.charset))
        return DecodeWithSystem({raw.Text(), length}, form.charset, text);
    if (form.charset == NString::kCharsetUtf8) {
        *raw.Text(static_cast<int>(length)) = 0;
        text = std::move(raw);
        return NResult::kOk;
    }
    if (NString::ToUtf8(text, raw.Text(), length, form.charset) == 0)
        return NResult::kNoMemory;
    return NResult::kOk;
}

} // namespace

int DecodeInput(NIO::CBase& stream, NString::TStr<char>& text, SInputForm& form) {
    form = SInputForm{};
    NString::TStr<char> raw;
    std::size_t count = 0;
    if (const int result = ReadAll(stream, raw, count); result != NResult::kOk)
        return result;
    const auto* bytes = reinterpret_cast<const unsigned char*>(raw.Text());
    switch (InputFormOf(bytes, form.byteOrderMark)) {
    case EInputForm::kUtf8WithMark: {
        form.charset = NString::kCharsetUtf8;
        const std::size_t length = LengthUpToZero(raw.Text(3), count - 3, form);
        std::memmove(raw.Text(), raw.Text(3), length);
        *raw.Text(static_cast<int>(length)) = 0;
        text = std::move(raw);
        return NResult::kOk;
    }
    case EInputForm::kUtf16Be:
    case EInputForm::kUtf16Le: {
        const bool bigEndian = bytes[0] == 0 || bytes[0] == 0xFE;
        const std::size_t markLength = form.byteOrderMark ? 2 : 0;
        form.charset = bigEndian ? NString::kCharsetUtf16Be : NString::kCharsetUtf16Le;
        return DecodeUtf16(bytes + markLength, count - markLength, bigEndian, text, form);
    }
    case EInputForm::kDeclared:
        break;
    }
    return DecodeDeclared(raw, count, text, form);
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
