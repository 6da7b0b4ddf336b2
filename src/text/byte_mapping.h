#pragma once

#include <optional>

namespace NString {

// How the bytes of one character set with a converter map to Unicode and
// back, one character at a time. Bytes below 0x80 are ASCII in every such
// set; UTF-8 is verbatim (its bytes pass through as they are). Every byte of
// a single-byte set reads as some code point, undefined bytes included (see
// kUndefinedByteBase), so decoding never loses a byte.
class CByteMapping {
public:
    explicit CByteMapping(int mibEnum);

    // Whether the character set has a converter at all.
    bool Exists() const { return m_kind != EKind::kNone; }
    // UTF-8, whose bytes pass through unconverted.
    bool IsVerbatim() const { return m_kind == EKind::kVerbatim; }

    // The code point of a byte at or above 0x80 of a single-byte set.
    char32_t ToCodePoint(unsigned char byte) const;

    // The byte of a code point decoded from a multi-byte UTF-8 sequence;
    // nothing when the character set cannot represent it. Such a sequence
    // never stands for ASCII: a code point below 0x80 came from an overlong
    // encoding and has no byte, rather than turning into markup.
    std::optional<unsigned char> ToByte(char32_t codePoint) const;

private:
    enum class EKind { kNone, kVerbatim, kUsAscii, kIso8859_1, kIso8859_15, kWindows, kTis620 };

    static EKind KindOf(int mibEnum);

    EKind m_kind;
    // The code page's table for kWindows.
    const char16_t* m_windowsTable = nullptr;
};

} // namespace NString
