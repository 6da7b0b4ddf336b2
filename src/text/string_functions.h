#pragma once

#include <cstdint>

// Free functions on zero-terminated UTF-8 (`char`) and UTF-16 (`char16_t`)
// text. A "character" is one code point; lengths in bytes or units say so.
// Null text counts as empty unless a function says otherwise.
namespace NString {

// Largest count a counted function accepts: "all characters".
constexpr int kAllCharacters = 0x7FFFFFFF;

// Length in bytes (UTF-8) or units (UTF-16), without the terminator.
int Length(const char* text);
int Length(const char16_t* text);

// Length in characters (code points).
int CharLength(const char* text);
int CharLength(const char16_t* text);

// Bytes or units taken by the first `count` characters (fewer when the text is shorter).
int PrefixLength(const char* text, int count);
int PrefixLength(const char16_t* text, int count);

// Length the text takes once converted to the other encoding, without the
// terminator. Code points that cannot be encoded count nothing.
int Utf16Length(const char* text);
int Utf8Length(const char16_t* text);

// Converts code point by code point and terminates `destination`, which must
// hold the converted length plus one. Returns the converted length.
int Convert(char16_t* destination, const char* source);
int Convert(char* destination, const char16_t* source);

} // namespace NString
