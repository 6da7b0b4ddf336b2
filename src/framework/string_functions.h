#pragma once

#include <cstdint>

// Free functions on zero-terminated UTF-8 (`char`) and UTF-16 (`char16_t`)
// text. A "character" is one code point; lengths in bytes or units say so.
// A "set" is a zero-terminated text whose characters are its members.
// Null text counts as empty unless a function says otherwise.
namespace NString {

// Largest count a counted function accepts: "all characters".
constexpr int kAllCharacters = 0x7FFFFFFF;

// ---- Lengths and conversion ----

// Length in bytes (UTF-8) or units (UTF-16), without the terminator.
int Length(const char* text);
int Length(const char16_t* text);

// Bytes or units taken by the first `count` characters (fewer when the text is shorter).
int PrefixLength(const char* text, int count);
int PrefixLength(const char16_t* text, int count);

// Length the text takes once converted to the other encoding, without the
// terminator. Code points that cannot be encoded count nothing.
int Utf16Length(const char* text);
int Utf8Length(const char16_t* text);

// Converts code point by code point and terminates `destination`, which must
// hold the converted length plus one; code points that cannot be encoded are
// dropped. Returns the converted length.
int Convert(char16_t* destination, const char* source);
int Convert(char* destination, const char16_t* source);

// ---- Comparison ----

// < 0, 0 or > 0. UTF-8 against UTF-8 compares unsigned bytes and returns the
// difference of the first differing bytes; every other pairing compares code
// points and returns the difference of the first differing ones.
int Compare(const char* a, const char* b);
int Compare(const char16_t* a, const char16_t* b);
int Compare(const char* a, const char16_t* b);
int Compare(const char16_t* a, const char* b);

// Compares code points after mapping both to lower case (see `ToLower`).
int CompareNoCase(const char* a, const char* b);
int CompareNoCase(const char16_t* a, const char16_t* b);

// Whether `text` begins with `prefix`, byte for byte or unit for unit; false
// when either is null.
bool StartsWith(const char* text, const char* prefix);
bool StartsWith(const char16_t* text, const char16_t* prefix);

// ---- Searching; null when there is no match ----

// First or last occurrence of a code point.
const char* FindChar(const char* text, char32_t codePoint);
const char16_t* FindChar(const char16_t* text, char32_t codePoint);
const char* FindLastChar(const char* text, char32_t codePoint);
const char16_t* FindLastChar(const char16_t* text, char32_t codePoint);

// First occurrence of `needle`; an empty needle is found at the start.
const char* FindText(const char* text, const char* needle);
const char16_t* FindText(const char16_t* text, const char16_t* needle);

// Writable form of FindChar, for text the caller may change.
inline char* FindChar(char* text, char32_t codePoint) {
    return const_cast<char*>(FindChar(static_cast<const char*>(text), codePoint));
}

// ---- Editing in place ----

// Removes characters of `set` from both ends; returns the new length.
int Trim(char* text, const char* set);
int Trim(char16_t* text, const char16_t* set);

enum class CharSelection { InSet, NotInSet };

// Removes every character that is (or is not) in `set`; returns the new length.
int RemoveChars(char* text, const char* set, CharSelection which);
int RemoveChars(char16_t* text, const char16_t* set, CharSelection which);

// Maps every character to lower case by the C library's Unicode mapping,
// independent of the process locale. A character whose lower-case form would
// need more bytes or units than it has stays as it is, so the text never grows.
void ToLower(char* text);
void ToLower(char16_t* text);

// ---- Numbers ----

// An optional "-" then decimal digits, up to the first other character.
// Overflow wraps around. `end`, when given, receives the position after the
// last character read (the start when there are no digits).
std::int64_t ParseDecimal(const char* text, const char** end = nullptr);
std::int64_t ParseDecimal(const char16_t* text, const char16_t** end = nullptr);

// An optional "0x" then hexadecimal digits of either case, up to the first
// other character. Overflow wraps around.
std::uint64_t ParseHex(const char* text, const char** end = nullptr);

} // namespace NString
