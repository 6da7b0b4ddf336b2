#pragma once

#include <compare>

// A place in the displayed text: a line over the whole block tree and a
// column counting the characters (UTF-16 units) of that line's text; the
// column may equal the line's length, the end of the line. -1 in both while
// unset.
struct STextPosition {
    int line = -1;
    int column = -1;

    bool IsSet() const { return line >= 0; }
    // Document order: by line, then column.
    auto operator<=>(const STextPosition&) const = default;
};
