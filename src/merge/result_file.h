#pragma once

#include "framework/buffer.h"

#include <string_view>

// The bytes of a merged result file: the merged UTF-8 text in the character
// set of the left input file.

enum class EEncodeResult {
    Ok,
    NoMemory,
    // The character set has no converter.
    NoConverter,
    // The text holds a character the character set cannot represent. Writing
    // the rest would lose it silently, so nothing is written.
    Unrepresentable,
};

// The mark a result file in `charset` starts with: FE FF for UTF-16
// big-endian, FF FE for UTF-16 little-endian and plain UTF-16, EF BB BF for
// UTF-8 when the left input had one (`utf8Mark`); otherwise none.
std::string_view ResultByteOrderMark(int charset, bool utf8Mark);

// Appends the result file for the UTF-8 `text` to `out`: the mark, then the
// text in `charset` (UTF-16 code units in the mark's byte order, UTF-8 and
// US-ASCII as they are, other sets converted). `out` may hold part of the
// result when this fails.
EEncodeResult EncodeResultFile(std::string_view text, int charset, bool utf8Mark,
                               NIO::TBuffer<0>& out);
