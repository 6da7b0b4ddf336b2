#pragma once

// Code-point level encoding and decoding of UTF-8 (`char`) and UTF-16
// (`char16_t`) text. Decoding does not validate, but it takes only real
// continuation bytes, so it never steps over a terminating zero or over an
// ASCII character that follows a broken sequence.
namespace NString {

constexpr char32_t kLastCodePoint = 0x10FFFF;

// Decodes the character at `position` and moves `position` past it.
char32_t DecodeNext(const char*& position);
char32_t DecodeNext(const char16_t*& position);
// The same without reading at or beyond `end` (`position` must be before
// it): a sequence cut off by `end` decodes as far as it goes. Always moves
// `position` on, also over a zero byte, which decodes as 0.
char32_t DecodeNext(const char*& position, const char* end);

// Writes `codePoint` and returns the number of bytes or units written: 0 for
// surrogate code points and values above U+10FFFF, which cannot be encoded.
int EncodeChar(char32_t codePoint, char* out);
int EncodeChar(char32_t codePoint, char16_t* out);

// Bytes (UTF-8) or units (UTF-16) `codePoint` takes; 0 when it cannot be encoded.
int EncodedLengthUtf8(char32_t codePoint);
int EncodedLengthUtf16(char32_t codePoint);

bool IsSurrogate(char32_t codePoint);

} // namespace NString
