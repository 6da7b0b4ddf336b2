#pragma once

#include "framework/str.h"

#include <cstring>
#include <string_view>

// Bounded scanning of the decoded text for the readers. Every function stops
// at `end` and never reads a byte at or past it.
namespace NXML::NScan {

// Tab, line feed, carriage return and space.
inline bool IsSpaceByte(char byte) {
    return byte == ' ' || byte == '\t' || byte == '\n' || byte == '\r';
}

// Inline, as the readers call these for nearly every byte of markup and the
// literals they compare with are short and known where they are called.
inline char* SkipSpaces(char* position, const char* end) {
    while (position < end && IsSpaceByte(*position))
        ++position;
    return position;
}
// Whitespace and "=", the bytes between an attribute name and its value.
char* SkipSpacesAndEquals(char* position, const char* end);

// The code point at `position` (before `end`); `length` receives its size in
// bytes. An ill-formed or cut-off sequence yields kNotACharacter for its first
// byte alone.
constexpr char32_t kNotACharacter = 0xFFFF;
char32_t DecodeAt(const char* position, const char* end, int& length);

// Whether an XML name starts at `position`.
bool IsNameStartAt(const char* position, const char* end);
// The position after the XML name characters from `position` on (a name may
// be empty).
char* ScanName(char* position, const char* end);

inline bool StartsWith(const char* position, const char* end, std::string_view text) {
    return std::size_t(end - position) >= text.size() &&
           std::memcmp(position, text.data(), text.size()) == 0;
}
// `word` followed by something that cannot continue a name.
bool StartsWithWord(const char* position, const char* end, std::string_view word);

// The first occurrence, or null.
char* Find(char* position, const char* end, std::string_view text);
inline char* FindByte(char* position, const char* end, char byte) {
    return static_cast<char*>(std::memchr(position, byte, std::size_t(end - position)));
}

// An owned copy of [begin, end) in `target`; throws std::bad_alloc when
// memory runs out.
void CopyRange(NString::TStr<char>& target, const char* begin, const char* end);

} // namespace NXML::NScan
