#pragma once

#include "framework/buffer.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The bytes of a merged result file: the merged UTF-8 text in the character
// set that the result's own XML declaration names.

// How a result file is encoded: its character set (MIBenum) and, for UTF-8
// and UTF-16, whether it starts with a byte-order mark.
struct SResultForm {
    int charset = 0;
    bool byteOrderMark = false;
};

// The form of the result file for the merged UTF-8 `text`, whose left input
// file had the form `left`, so that the bytes agree with the declaration the
// text starts with:
// - a declaration naming a character set that can be written: that set, with
//   the left file's byte order and mark when it is the left file's set, and
//   otherwise with a mark for UTF-16 only (which cannot be read without one);
// - no declaration, or one without an encoding: UTF-8, or the left file's
//   UTF-8 or UTF-16 form as it was;
// - a declaration naming a set that cannot be written: the left form, and
//   `unwritable` (when given) receives the declared name.
SResultForm ResultForm(std::string_view text, SResultForm left,
                       std::optional<std::string>* unwritable = nullptr);

enum class EEncodeResult {
    Ok,
    NoMemory,
    // The character set has no converter.
    NoConverter,
    // The text holds a character the character set cannot represent where
    // XML has no character reference for it (markup, comments, processing
    // instructions, CDATA sections). Writing the rest would lose it silently,
    // so nothing is written.
    Unrepresentable,
};

// Where encoding stopped with EEncodeResult::Unrepresentable.
struct SUnrepresentable {
    char32_t codePoint = 0;
    // 1 for the text's first line.
    std::size_t line = 0;
};

// The mark a result file in `charset` starts with when it has one
// (`byteOrderMark`): FE FF for UTF-16 big-endian, FF FE for UTF-16
// little-endian and plain UTF-16, EF BB BF for UTF-8; none for other sets.
std::string_view ResultByteOrderMark(int charset, bool byteOrderMark);

// `text` (UTF-8) with "?" in place of each character `charset` cannot
// represent and of each control character, so that it can stand on a line
// of its own anywhere in a result file in that set.
std::string RepresentableLine(std::string_view text, int charset);

// Appends the result file for the UTF-8 `text` to `out`: the mark, then the
// text in `charset` (UTF-16 code units in the mark's byte order, UTF-8 as it
// is, other sets converted by the own tables or the C library). A character
// the set cannot write exactly is written as a hexadecimal character
// reference in character data and attribute values; anywhere else it fails
// the encoding and `unrepresentable` (when given) says which and where.
// `out` may hold part of the result when this fails.
EEncodeResult EncodeResultFile(std::string_view text, int charset, bool byteOrderMark,
                               NIO::TBuffer<0>& out, SUnrepresentable* unrepresentable = nullptr);
