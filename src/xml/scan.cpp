#include "xml/scan.h"

#include "text/char_classes.h"

#include <cstring>
#include <new>

namespace NXML::NScan {

namespace {

bool IsContinuationByte(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Continuation bytes a well-formed lead byte announces; -1 for a byte that
// cannot lead a sequence.
int ContinuationCount(unsigned char lead) {
    if (lead < 0x80)
        return 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 1;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 2;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 3;
    return -1;
}

// Name characters among the ASCII bytes, which make up nearly every name:
// a table read instead of a search through the code point ranges.
struct SAsciiNameChars {
    bool start[0x80];
    bool any[0x80];

    SAsciiNameChars() {
        for (char32_t byte = 0; byte < 0x80; ++byte) {
            start[byte] = NString::IsNameStartChar(byte);
            any[byte] = NString::IsNameChar(byte);
        }
    }
};

const SAsciiNameChars& AsciiNameChars() {
    static const SAsciiNameChars table;
    return table;
}

} // namespace

char* SkipSpacesAndEquals(char* position, const char* end) {
    while (position < end && (IsSpaceByte(*position) || *position == '='))
        ++position;
    return position;
}

char32_t DecodeAt(const char* position, const char* end, int& length) {
    length = 1;
    const auto lead = static_cast<unsigned char>(*position);
    const int continuations = ContinuationCount(lead);
    if (continuations == 0)
        return lead;
    if (continuations < 0 || end - position <= continuations)
        return kNotACharacter;
    static constexpr unsigned char kLeadMask[] = {0x7F, 0x1F, 0x0F, 0x07};
    char32_t codePoint = lead & kLeadMask[continuations];
    for (int index = 1; index <= continuations; ++index) {
        const auto byte = static_cast<unsigned char>(position[index]);
        if (!IsContinuationByte(byte))
            return kNotACharacter;
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    length = continuations + 1;
    return codePoint;
}

bool IsNameStartAt(const char* position, const char* end) {
    if (position >= end)
        return false;
    const auto byte = static_cast<unsigned char>(*position);
    if (byte < 0x80)
        return AsciiNameChars().start[byte];
    int length = 0;
    return NString::IsNameStartChar(DecodeAt(position, end, length));
}

char* ScanName(char* position, const char* end) {
    const SAsciiNameChars& ascii = AsciiNameChars();
    while (position < end) {
        const auto byte = static_cast<unsigned char>(*position);
        if (byte < 0x80) {
            if (!ascii.any[byte])
                break;
            ++position;
            continue;
        }
        int length = 0;
        if (!NString::IsNameChar(DecodeAt(position, end, length)))
            break;
        position += length;
    }
    return position;
}

bool StartsWithWord(const char* position, const char* end, std::string_view word) {
    if (!StartsWith(position, end, word))
        return false;
    const char* after = position + word.size();
    int length = 0;
    return after == end || !NString::IsNameChar(DecodeAt(after, end, length));
}

char* Find(char* position, const char* end, std::string_view text) {
    const std::string_view haystack(position, std::size_t(end - position));
    const std::size_t found = haystack.find(text);
    return found == std::string_view::npos ? nullptr : position + found;
}

void CopyRange(NString::TStr<char>& target, const char* begin, const char* end) {
    const auto length = static_cast<int>(end - begin);
    if (target.Reserve(length) == 0)
        throw std::bad_alloc();
    std::memcpy(target.Text(), begin, std::size_t(length));
    *target.Text(length) = 0;
}

} // namespace NXML::NScan
