#include "framework/utf.h"

#include <algorithm>
#include <cstddef>

namespace NString {
namespace {

bool IsContinuationByte(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Number of continuation bytes announced by a lead byte: 110xxxxx takes one,
// 1110xxxx two, any other lead byte at or above 0x80 three.
int ContinuationCount(unsigned char lead) {
    if ((lead & 0xE0) == 0xC0)
        return 1;
    if ((lead & 0xF0) == 0xE0)
        return 2;
    return 3;
}

char32_t LeadBits(unsigned char lead, int continuations) {
    static constexpr unsigned char kMask[] = {0x7F, 0x1F, 0x0F, 0x07};
    return lead & kMask[continuations];
}

} // namespace

bool IsSurrogate(char32_t codePoint) {
    return codePoint >= 0xD800 && codePoint <= 0xDFFF;
}

char32_t DecodeNext(const char*& position) {
    const auto lead = static_cast<unsigned char>(*position);
    if (lead == 0)
        return 0;
    ++position;
    if (lead < 0x80)
        return lead;
    const int continuations = ContinuationCount(lead);
    char32_t codePoint = LeadBits(lead, continuations);
    // Only real continuation bytes are taken, so a stray lead byte in text of
    // another character set never swallows the markup that follows it.
    for (int i = 0; i < continuations && IsContinuationByte(static_cast<unsigned char>(*position));
         ++i, ++position)
        codePoint = (codePoint << 6) | (static_cast<unsigned char>(*position) & 0x3F);
    return codePoint;
}

char32_t DecodeNext(const char*& position, const char* end) {
    char sequence[5] = {};
    std::copy_n(position, std::min<std::ptrdiff_t>(end - position, 4), sequence);
    const char* cursor = sequence;
    const char32_t codePoint = DecodeNext(cursor);
    position += std::max<std::ptrdiff_t>(cursor - sequence, 1);
    return codePoint;
}

char32_t DecodeNext(const char16_t*& position) {
    const char16_t unit = *position;
    if (unit == 0)
        return 0;
    ++position;
    // Only a high surrogate followed by a low one is a pair; a lone half is
    // returned as it is and never swallows the unit after it.
    const bool isHigh = unit >= 0xD800 && unit <= 0xDBFF;
    const bool nextIsLow = *position >= 0xDC00 && *position <= 0xDFFF;
    if (!isHigh || !nextIsLow)
        return unit;
    const char16_t next = *position++;
    return 0x10000 + ((static_cast<char32_t>(unit & 0x3FF) << 10) | (next & 0x3FF));
}

int EncodedLengthUtf8(char32_t codePoint) {
    if (IsSurrogate(codePoint) || codePoint > kLastCodePoint)
        return 0;
    if (codePoint < 0x80)
        return 1;
    if (codePoint < 0x800)
        return 2;
    return codePoint < 0x10000 ? 3 : 4;
}

int EncodedLengthUtf16(char32_t codePoint) {
    if (IsSurrogate(codePoint) || codePoint > kLastCodePoint)
        return 0;
    return codePoint < 0x10000 ? 1 : 2;
}

int EncodeChar(char32_t codePoint, char* out) {
    static constexpr unsigned char kLeadMarker[] = {0, 0, 0xC0, 0xE0, 0xF0};
    const int length = EncodedLengthUtf8(codePoint);
    if (length == 1) {
        out[0] = static_cast<char>(codePoint);
        return 1;
    }
    for (int i = length - 1; i > 0; --i) {
        out[i] = static_cast<char>(0x80 | (codePoint & 0x3F));
        codePoint >>= 6;
    }
    if (length > 0)
        out[0] = static_cast<char>(kLeadMarker[length] | codePoint);
    return length;
}

int EncodeChar(char32_t codePoint, char16_t* out) {
    const int length = EncodedLengthUtf16(codePoint);
    if (length == 1) {
        out[0] = static_cast<char16_t>(codePoint);
    } else if (length == 2) {
        const char32_t offset = codePoint - 0x10000;
        out[0] = static_cast<char16_t>(0xD800 | (offset >> 10));
        out[1] = static_cast<char16_t>(0xDC00 | (offset & 0x3FF));
    }
    return length;
}

} // namespace NString
