#pragma once

#include <array>
#include <cstddef>

namespace NString {

// Code points of the bytes 0x80-0xFF of one single-byte code page, indexed by
// byte - 0x80. Bytes the code page leaves undefined hold U+0020.
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
