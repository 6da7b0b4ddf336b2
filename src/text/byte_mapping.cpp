#include "text/byte_mapping.h"

#include "text/charset.h"
#include "text/codepage_tables.h"

#include <algorithm>

namespace NString {
namespace {

constexpr unsigned char kFirstUpperByte = 0x80;

// TIS-620 places the Thai block U+0E00-U+0E5F at the bytes 0xA0-0xFF; the
// bytes 0x80-0x9F are undefined.
constexpr unsigned char kThaiFirstByte = 0xA0;
constexpr char32_t kThaiFirstCodePoint = 0x0E00;
constexpr char32_t kThaiLastCodePoint = 0x0E5F;

// The byte an undefined byte's code point stands for, when it is one of the
// undefined bytes [first, last].
std::optional<unsigned char> UndefinedByte(char32_t codePoint, unsigned char first,
                                           unsigned char last) {
    if (codePoint < kUndefinedByteBase + first || codePoint > kUndefinedByteBase + last)
        return std::nullopt;
    return static_cast<unsigned char>(codePoint - kUndefinedByteBase);
}

std::optional<unsigned char> ByteOfOwnValue(char32_t codePoint) {
    if (codePoint > 0xFF)
        return std::nullopt;
    return static_cast<unsigned char>(codePoint);
}

std::optional<unsigned char> Iso8859_15Byte(char32_t codePoint) {
    const auto* found = std::find(kIso8859_15Table.begin(), kIso8859_15Table.end(), codePoint);
    if (found != kIso8859_15Table.end())
        return static_cast<unsigned char>(kIso8859_15FirstByte +
                                          (found - kIso8859_15Table.begin()));
    // The bytes of the table's range stand for the table's code points only.
    if (codePoint >= kIso8859_15FirstByte && codePoint <= kIso8859_15LastByte)
        return std::nullopt;
    return ByteOfOwnValue(codePoint);
}

std::optional<unsigned char> TableByte(const char16_t* table, char32_t codePoint) {
    const char16_t* end = table + kUpperHalfSize;
    const char16_t* found = std::find(table, end, codePoint);
    if (found == end)
        return std::nullopt;
    return static_cast<unsigned char>(kFirstUpperByte + (found - table));
}

} // namespace

CByteMapping::CByteMapping(int mibEnum) : m_kind(KindOf(mibEnum)) {
    if (m_kind == EKind::kWindows)
        m_windowsTable = kWindowsCodePageTables[std::size_t(mibEnum - kCharsetWindows1250)].data();
}

char32_t CByteMapping::ToCodePoint(unsigned char byte) const {
    switch (m_kind) {
    case EKind::kUsAscii:
        return kUndefinedByteBase + byte;
    case EKind::kIso8859_15:
        if (byte >= kIso8859_15FirstByte && byte <= kIso8859_15LastByte)
            return kIso8859_15Table[byte - kIso8859_15FirstByte];
        return byte;
    case EKind::kWindows:
        return m_windowsTable[byte - kFirstUpperByte];
    case EKind::kTis620:
        if (byte < kThaiFirstByte)
            return kUndefinedByteBase + byte;
        return kThaiFirstCodePoint + (byte - kThaiFirstByte);
    default:
        return byte;
    }
}

std::optional<unsigned char> CByteMapping::ToByte(char32_t codePoint) const {
    if (codePoint < kFirstUpperByte)
        return std::nullopt;
    switch (m_kind) {
    case EKind::kUsAscii:
        return UndefinedByte(codePoint, kFirstUpperByte, 0xFF);
    case EKind::kIso8859_1:
        return ByteOfOwnValue(codePoint);
    case EKind::kIso8859_15:
        return Iso8859_15Byte(codePoint);
    case EKind::kWindows:
        return TableByte(m_windowsTable, codePoint);
    case EKind::kTis620:
        if (codePoint >= kThaiFirstCodePoint && codePoint <= kThaiLastCodePoint)
            return static_cast<unsigned char>(kThaiFirstByte + (codePoint - kThaiFirstCodePoint));
        return UndefinedByte(codePoint, kFirstUpperByte, kThaiFirstByte - 1);
    default:
        return std::nullopt;
    }
}

CByteMapping::EKind CByteMapping::KindOf(int mibEnum) {
    switch (mibEnum) {
    case kCharsetUtf8:
        return EKind::kVerbatim;
    case kCharsetUsAscii:
        return EKind::kUsAscii;
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

} // namespace NString
