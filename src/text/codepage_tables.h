#pragma once

#include <array>
#include <cstddef>

namespace NString {

// A byte that its character set leaves undefined (in a code page, in TIS-620,
// or any byte above 0x7F in US-ASCII) reads as the private-use code point
// kUndefinedByteBase + byte, U+F780-U+F7FF, and that code point is written
// back as the same byte. No supported character set defines these code
// points, so an unchanged document keeps every byte it had.
constexpr char32_t kUndefinedByteBase = 0xF700;

// Code points of the bytes 0x80-0xFF of one single-byte code page, indexed by
// byte - 0x80. Undefined bytes hold kUndefinedByteBase + byte.
constexpr std::size_t kUpperHalfSize = 128;
using CodePageTable = std::array<char16_t, kUpperHalfSize>;

// windows-1250 to windows-1258, in that order.
constexpr int kFirstWindowsCodePage = 1250;
constexpr int kWindowsCodePageCount = 9;
extern const std::array<CodePageTable, kWindowsCodePageCount> kWindowsCodePageTables;

// ISO-8859-15 differs from ISO-8859-1 only in the bytes 0xA4-0xBE; this table
// holds the code points of those bytes.
constexpr unsigned char kIso8859_15FirstByte = 0xA4;
constexpr unsigned char kIso8859_15LastByte = 0xBE;
extern const std::array<char16_t, kIso8859_15LastByte - kIso8859_15FirstByte + 1> kIso8859_15Table;

} // namespace NString
