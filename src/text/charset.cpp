#include "text/charset.h"

#include "text/charset_names.h"
#include "text/codepage_tables.h"
#include "text/string_functions.h"
#include "text/utf.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>

namespace NString {
namespace {

constexpr unsigned char kFirstUpperByte = 0x80;

// TIS-620 places the Thai block U+0E00-U+0E5F at the bytes 0xA0-0xFF.
constexpr unsigned char kThaiFirstByte = 0xA0;
constexpr char32_t kThaiFirstCodePoint = 0x0E00;
constexpr char32_t kThaiLastCodePoint = 0x0E5F;

// How the bytes 0x80-0xFF of one character set map to Unicode; bytes below
// 0x80 are ASCII in every character set with a converter.
class CByteMapping {
public:
    enum class EKind { kNone, kVerbatim, kIso8859_1, kIso8859_15, kWindows, kTis620 };

    explicit CByteMapping(int mibEnum) : kind_(KindOf(mibEnum)) {
        if (kind_ == EKind::kWindows)
            windowsTable_ = &kWindowsCodePageTables[mibEnum - kCharsetWindows1250];
    }

    bool Exists() const { return kind_ != EKind::kNone; }
    // UTF-8 itself, and US-ASCII, whose bytes pass through unchecked.
    bool IsVerbatim() const { return kind_ == EKind::kVerbatim; }

    // The code point of a byte at or above 0x80; nothing when the character
    // set drops the byte.
    std::optional<char32_t> ToCodePoint(unsigned char byte) const {
        switch (kind_) {
        case EKind::kIso8859_15:
            if (byte >= kIso8859_15FirstByte && byte <= kIso8859_15LastByte)
                return kIso8859_15Table[byte - kIso8859_15FirstByte];
            return byte;
        case EKind::kWindows:
            return (*windowsTable_)[byte - kFirstUpperByte];
        case EKind::kTis620:
            if (byte < kThaiFirstByte)
                return std::nullopt;
            return kThaiFirstCodePoint + (byte - kThaiFirstByte);
        default:
            return byte;
        }
    }

    // The byte of a code point decoded from a multi-byte sequence; nothing
    // when the character set cannot represent it. Such a sequence never
    // stands for ASCII: a code point below 0x80 came from an overlong
    // encoding and is dropped rather than turned into markup or a space.
    std::optional<unsigned char> ToByte(char32_t codePoint) const {
        if (codePoint < kFirstUpperByte)
            return std::nullopt;
        switch (kind_) {
        case EKind::kIso8859_1:
            return ByteOfOwnValue(codePoint);
        case EKind::kIso8859_15:
            return Iso8859_15Byte(codePoint);
        case EKind::kWindows:
            return WindowsByte(codePoint);
        case EKind::kTis620:
            if (codePoint < kThaiFirstCodePoint || codePoint > kThaiLastCodePoint)
                return std::nullopt;
            return static_cast<unsigned char>(kThaiFirstByte + (codePoint - kThaiFirstCodePoint));
        default:
            return std::nullopt;
        }
    }

private:
    static EKind KindOf(int mibEnum) {
        switch (mibEnum) {
        case kCharsetUsAscii:
        case kCharsetUtf8:
            return EKind::kVerbatim;
        case kCharsetIso8859_1:
            return EKind::kIso8859_1;
        case kCharsetIso8859_15:
            return EKind::kIso8859_15;
        case kCharsetTis620:
            return EKind::kTis620;
        default:
            if (mibEnum >= kCharsetWindows1250 && mibEnum <= kCharsetWindows1258)
                return EKind::kWindows;
            return EKind::kNone;
        }
    }

    static std::optional<unsigned char> ByteOfOwnValue(char32_t codePoint) {
        if (codePoint > 0xFF)
            return std::nullopt;
        return static_cast<unsigned char>(codePoint);
    }

    static std::optional<unsigned char> Iso8859_15Byte(char32_t codePoint) {
        const auto* found = std::find(kIso8859_15Table.begin(), kIso8859_15Table.end(), codePoint);
        if (found != kIso8859_15Table.end())
            return static_cast<unsigned char>(kIso8859_15FirstByte +
                                              (found - kIso8859_15Table.begin()));
        // The bytes of the table's range stand for the table's code points only.
        if (codePoint >= kIso8859_15FirstByte && codePoint <= kIso8859_15LastByte)
            return std::nullopt;
        return ByteOfOwnValue(codePoint);
    }

    std::optional<unsigned char> WindowsByte(char32_t codePoint) const {
        const auto* found = std::find(windowsTable_->begin(), windowsTable_->end(), codePoint);
        if (found == windowsTable_->end())
            return std::nullopt;
        return static_cast<unsigned char>(kFirstUpperByte + (found - windowsTable_->begin()));
    }

    EKind kind_;
    const CodePageTable* windowsTable_ = nullptr;
};

// Receives converted bytes. Without a buffer it only counts them, so that one
// conversion routine both measures the result and writes it.
class COutput {
public:
    explicit COutput(char* buffer = nullptr) : buffer_(buffer) {}

    void Put(char byte) {
        if (buffer_ != nullptr)
            buffer_[size_] = byte;
        ++size_;
    }

    void PutUtf8(char32_t codePoint) {
        char encoded[4];
        const int length = EncodeChar(codePoint, encoded);
        for (int i = 0; i < length; ++i)
            Put(encoded[i]);
    }

    std::size_t Size() const { return size_; }

private:
    char* buffer_;
    std::size_t size_ = 0;
};

// Decodes the character at `position`, which holds a byte at or above 0x80,
// without reading at or beyond `end`, and moves `position` past it.
char32_t DecodeBounded(const char*& position, const char* end) {
    char sequence[5] = {};
    std::copy_n(position, std::min<std::ptrdiff_t>(end - position, 4), sequence);
    const char* cursor = sequence;
    const char32_t codePoint = DecodeNext(cursor);
    position += cursor - sequence;
    return codePoint;
}

using ConversionPass = void (*)(COutput& output, const char* source, std::size_t byteCount,
                                const CByteMapping& mapping);

void DecodePass(COutput& output, const char* source, std::size_t byteCount,
                const CByteMapping& mapping) {
    for (const char* end = source + byteCount; source < end; ++source) {
        const auto byte = static_cast<unsigned char>(*source);
        if (byte < kFirstUpperByte || mapping.IsVerbatim())
            output.Put(*source);
        else if (const auto codePoint = mapping.ToCodePoint(byte))
            output.PutUtf8(*codePoint);
    }
}

void EncodePass(COutput& output, const char* source, std::size_t byteCount,
                const CByteMapping& mapping) {
    const char* end = source + byteCount;
    while (source < end) {
        const auto byte = static_cast<unsigned char>(*source);
        if (byte < kFirstUpperByte || mapping.IsVerbatim())
            output.Put(*source++);
        else if (const auto mapped = mapping.ToByte(DecodeBounded(source, end)))
            output.Put(static_cast<char>(*mapped));
    }
}

// Measures the result, then writes it into a string of exactly that size. The
// result replaces the destination only once complete, so the source may be
// the destination's own text and a failure leaves the destination as it was.
int Convert(ConversionPass pass, TStr<char>& destination, const char* source, std::size_t byteCount,
            int mibEnum, std::size_t* convertedLength) {
    const CByteMapping mapping(mibEnum);
    if (!mapping.Exists())
        return 0;
    COutput counter;
    pass(counter, source, byteCount, mapping);
    const std::size_t length = counter.Size();
    if (length > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return 0;
    TStr<char> converted;
    if (converted.Reserve(static_cast<int>(length)) == 0)
        return 0;
    COutput writer(converted.Text());
    pass(writer, source, byteCount, mapping);
    converted.Text()[length] = 0;
    destination = std::move(converted);
    if (convertedLength != nullptr)
        *convertedLength = length;
    return 1;
}

std::size_t LengthOf(const char* text) {
    return text == nullptr ? 0 : std::strlen(text);
}

} // namespace

int CharsetFromName(const char* name) {
    if (name == nullptr || *name == 0)
        return 0;
    TWorkStr<char> lowered;
    if (lowered.Assign(name) == 0)
        return 0;
    ToLower(lowered.Text());
    for (const SCharsetName* row = kCharsetNameTable; row->mibEnum != 0; ++row)
        if (std::strstr(row->aliases, lowered.Text()) != nullptr)
            return row->mibEnum;
    return 0;
}

bool HasConverter(int mibEnum) {
    return CByteMapping(mibEnum).Exists();
}

int ToUtf8(TStr<char>& destination, const char* source, std::size_t byteCount, int mibEnum,
           std::size_t* convertedLength) {
    return Convert(DecodePass, destination, source, byteCount, mibEnum, convertedLength);
}

int ToUtf8(TStr<char>& destination, const char* source, int mibEnum) {
    return ToUtf8(destination, source, LengthOf(source), mibEnum);
}

int FromUtf8(TStr<char>& destination, const char* source, std::size_t byteCount, int mibEnum,
             std::size_t* convertedLength) {
    return Convert(EncodePass, destination, source, byteCount, mibEnum, convertedLength);
}

int FromUtf8(TStr<char>& destination, const char* source, int mibEnum) {
    return FromUtf8(destination, source, LengthOf(source), mibEnum);
}

} // namespace NString
