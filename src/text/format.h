#pragma once

#include "framework/str.h"
#include "text/format_arg.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <span>
#include <type_traits>
#include <utility>

// The placeholder formatter behind every message, report line and settings
// path. A format is text with numbered, typed placeholders:
//
//   "{" index spec type "}"   index "0"-"9" or "A"-"Z" names argument 0-35;
//                              spec: width digits, "R" right alignment,
//                              "Z" zero padding; other characters are ignored.
//   "{{"                       one "{"; a lone "}" is ordinary text.
//   "{+}" at the very start    appends to the text already in the destination.
//
// Types: "s" text, "c" character, "d" signed 32-bit, "l" 64-bit, "u" unsigned
// 32-bit, "x" hexadecimal. Any other type writes nothing.
//
// Numbers are padded with spaces to the width, on the right unless "R" is
// given; with "Z" zeros fill the width and a minus sign goes in front of it.
// Text and characters are padded with spaces, counted in output units (bytes
// of UTF-8, units of UTF-16), likewise on the right unless "R" is given.
//
// Arguments carry their own types, so a placeholder checks its own argument:
// one that does not fit the type, or is missing, writes nothing. The 32-bit
// types ("d", "u", "x", "c") take 32-bit integers and read their bits
// ("u" of -1 is 4294967295); "l" takes any integer and prints its value.
// Text of either encoding is converted to the output's encoding (whatever
// characters stand before the type, since the argument knows its encoding)
// and padded like any other text; a null text is empty. "c" takes a code
// point; a character that cannot be encoded, or 0, is not written.
//
// A placeholder whose index is
// not "0"-"9"/"A"-"Z", or that has no type, writes nothing. A placeholder
// without its closing "}" ends the output there; what was written before it
// is kept.
namespace NString {

// Whether `format` starts with the "{+}" marker. Null is no format.
bool AppendsToExistingText(const char* format);
bool AppendsToExistingText(const char16_t* format);

// Formats into `buffer`, which holds `capacity` units including the
// terminator. Output that does not fit is cut at a character boundary; the
// buffer is always terminated. Returns the units before the terminator
// (with "{+}", counted from the start of the buffer). A null buffer or a zero
// capacity returns 0 without writing; a null format counts as empty.
std::size_t FormatList(char* buffer, std::size_t capacity, const char* format,
                       std::span<const CFormatArg> args);
std::size_t FormatList(char16_t* buffer, std::size_t capacity, const char16_t* format,
                       std::span<const CFormatArg> args);

// Units the format writes, not counting text kept by "{+}".
std::size_t FormattedLength(const char* format, std::span<const CFormatArg> args);
std::size_t FormattedLength(const char16_t* format, std::span<const CFormatArg> args);

// Whether a text argument points into [begin, end).
bool AnyTextWithin(std::span<const CFormatArg> args, const void* begin, const void* end);

// Formats into a string that grows to fit: the output is measured first and
// then written once. Returns 1, or 0 when memory ran out; the string is then
// empty, or unchanged with "{+}".
template <typename T, int N>
int FormatList(TStr<T, N>& out, const std::type_identity_t<T>* format,
               std::span<const CFormatArg> args) {
    // Leaves room for the terminator and the string's own rounding.
    constexpr std::size_t kLongest = INT_MAX - 8;
    const bool appending = AppendsToExistingText(format);
    const std::size_t kept = appending ? static_cast<std::size_t>(out.Length()) : 0;
    const std::size_t total = kept + FormattedLength(format, args);
    if (total > kLongest) {
        if (!appending)
            out.Clear();
        return 0;
    }
    const T* begin = out.Text();
    const bool fitsInPlace = !out.IsBorrowed() && static_cast<std::size_t>(out.Capacity()) > total;
    if (fitsInPlace && !AnyTextWithin(args, begin, begin + out.Capacity())) {
        FormatList(out.Text(), total + 1, format, args);
        return 1;
    }
    // A fresh string: the old one may be borrowed, too small, or read by an argument.
    TStr<T, N> grown;
    if (grown.Reserve(static_cast<int>(total)) == 0) {
        if (!appending)
            out.Clear();
        return 0;
    }
    std::copy_n(out.Text(), kept, grown.Text());
    grown.Text()[kept] = 0;
    FormatList(grown.Text(), total + 1, format, args);
    out = std::move(grown);
    return 1;
}

template <typename... Args>
std::size_t Format(char* buffer, std::size_t capacity, const char* format, const Args&... args) {
    const std::array<CFormatArg, sizeof...(Args)> list{CFormatArg(args)...};
    return FormatList(buffer, capacity, format, list);
}

template <typename... Args>
std::size_t Format(char16_t* buffer, std::size_t capacity, const char16_t* format,
                   const Args&... args) {
    const std::array<CFormatArg, sizeof...(Args)> list{CFormatArg(args)...};
    return FormatList(buffer, capacity, format, list);
}

// A character array brings its own capacity.
template <typename T, std::size_t Capacity, typename... Args>
requires std::is_same_v<T, char> || std::is_same_v<T, char16_t> std::size_t
Format(T (&buffer)[Capacity], const std::type_identity_t<T>* format, const Args&... args) {
    const std::array<CFormatArg, sizeof...(Args)> list{CFormatArg(args)...};
    return FormatList(buffer, Capacity, format, list);
}

template <typename T, int N, typename... Args>
int Format(TStr<T, N>& out, const std::type_identity_t<T>* format, const Args&... args) {
    const std::array<CFormatArg, sizeof...(Args)> list{CFormatArg(args)...};
    return FormatList(out, format, list);
}

} // namespace NString
