#pragma once

#include <optional>

namespace NString {

// What one "{...}" placeholder asks for. The index is a single character,
// "0"-"9" or "A"-"Z" (0-35); the type is the last character before the closing
// brace. In between, digits before a "." form the width, "R" aligns right and
// "Z" pads numbers with zeros; any other character, and digits after a ".",
// are ignored.
struct SPlaceholder {
    static constexpr int kMaxWidth = 256;

    int index = 0;
    char32_t type = 0;
    int width = 0;
    bool rightAligned = false;
    bool zeroPadded = false;
};

// Reads the characters between the braces of a placeholder. Returns nothing
// when there is no valid index or no type: such a placeholder writes nothing.
std::optional<SPlaceholder> ReadPlaceholder(const char* begin, const char* end);
std::optional<SPlaceholder> ReadPlaceholder(const char16_t* begin, const char16_t* end);

} // namespace NString
