#pragma once

#include "framework/str.h"

#include <cstddef>

// Character sets by their IANA MIBenum: recognising a declared name and
// converting between a character set and UTF-8.
namespace NString {

constexpr int kCharsetUsAscii = 3;
constexpr int kCharsetIso8859_1 = 4;
constexpr int kCharsetUtf8 = 106;
constexpr int kCharsetIso8859_15 = 111;
constexpr int kCharsetUtf16Be = 1013;
constexpr int kCharsetUtf16Le = 1014;
constexpr int kCharsetUtf16 = 1015;
constexpr int kCharsetUtf32 = 1017;
constexpr int kCharsetUtf32Be = 1018;
constexpr int kCharsetUtf32Le = 1019;
constexpr int kCharsetWindows1250 = 2250;
constexpr int kCharsetWindows1258 = 2258;
constexpr int kCharsetTis620 = 2259;

// The MIBenum of the first character set one of whose names contains `name`
// (compared without regard to case), or 0; null or empty gives 0.
// Surround a name with spaces (" utf-16 ") to match whole names only. A name
// the registry lacks is then looked up whole among kCharsetAliases, and
// last among the C library's names (SystemOnlyCharsetFromName).
int CharsetFromName(const char* name);

// Whether ToUtf8 and FromUtf8 can convert the character set.
bool HasConverter(int mibEnum);

// Converts `byteCount` bytes of the character set `mibEnum` into UTF-8 in
// `destination`, which is then zero-terminated. No byte is lost: one the
// character set leaves undefined becomes a private-use code point that
// FromUtf8 turns back into it (kUndefinedByteBase); UTF-8 is copied as it is. The source may
// contain zero bytes; `convertedLength` (when given) receives the length of the result. Returns 1,
// or 0 when the character set has no converter (the destination is left as it was) or memory ran
// out.
int ToUtf8(TStr<char>& destination, const char* source, std::size_t byteCount, int mibEnum,
           std::size_t* convertedLength = nullptr);

// The same for zero-terminated source text (null is empty).
int ToUtf8(TStr<char>& destination, const char* source, int mibEnum);

// The reverse of ToUtf8: converts UTF-8 into the character set `mibEnum`.
// Characters the character set cannot represent are dropped.
int FromUtf8(TStr<char>& destination, const char* source, std::size_t byteCount, int mibEnum,
             std::size_t* convertedLength = nullptr);

int FromUtf8(TStr<char>& destination, const char* source, int mibEnum);

} // namespace NString
