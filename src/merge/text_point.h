#pragma once

#include "merge/display_line.h"

#include <compare>
#include <cstdint>

// A place in the displayed text of the block tree: a display line and a
// column counting the UTF-16 units of that line's text.
struct STextPoint {
    TLine line = kNoLine;
    std::uint32_t column = 0xFFFFFFFF;

    bool IsSet() const { return line != kNoLine; }
    auto operator<=>(const STextPoint&) const = default;
};
