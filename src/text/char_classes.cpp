#include "text/char_classes.h"

#include <algorithm>
#include <span>

namespace NString {
namespace {

// An inclusive range of code points. Range tables are sorted and do not overlap.
struct SCodePointRange {
    char32_t first;
    char32_t last;
};

using RangeSpan = std::span<const SCodePointRange>;

constexpr SCodePointRange kNameStartRanges[] = {
    {':', ':'},       {'A', 'Z'},       {'_', '_'},       {'a', 'z'},
    {0x00C0, 0x00D6}, {0x00D8, 0x00F6}, {0x00F8, 0x02FF}, {0x0370, 0x037D},
    {0x037F, 0x1FFF}, {0x200C, 0x200D}, {0x2070, 0x218F}, {0x2C00, 0x2FEF},
    {0x3001, 0xD7FF}, {0xF900, 0xFDCF}, {0xFDF0, 0xFFFD}, {0x10000, 0xEFFFF},
};

// Name characters that cannot start a name.
constexpr SCodePointRange kNameOnlyRanges[] = {
    {'-', '.'}, {'0', '9'}, {0x00B7, 0x00B7}, {0x0300, 0x036F}, {0x203F, 0x2040},
};

bool Contains(RangeSpan ranges, char32_t codePoint) {
    // The first range that does not end before the code point.
    const auto range = std::ranges::lower_bound(ranges, codePoint, {}, &SCodePointRange::last);
    return range != ranges.end() && range->first <= codePoint;
}

} // namespace

bool IsNameStartChar(char32_t codePoint) {
    return Contains(kNameStartRanges, codePoint);
}

bool IsNameChar(char32_t codePoint) {
    return IsNameStartChar(codePoint) || Contains(kNameOnlyRanges, codePoint);
}

} // namespace NString
