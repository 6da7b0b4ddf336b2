#include "text/format_placeholder.h"

#include <algorithm>

namespace NString {
namespace {

constexpr int kNoIndex = -1;

int IndexOf(char32_t character) {
    if (character >= U'0' && character <= U'9')
        return static_cast<int>(character - U'0');
    if (character >= U'A' && character <= U'Z')
        return static_cast<int>(character - U'A') + 10;
    return kNoIndex;
}

// Appends a decimal digit, saturating at `limit` so that long digit runs cannot overflow.
int AppendDigit(int value, char32_t digit, int limit) {
    return std::min(value * 10 + static_cast<int>(digit - U'0'), limit);
}

void ReadSpec(SPlaceholder& placeholder, const auto* begin, const auto* end) {
    bool afterPoint = false;
    for (const auto* position = begin; position != end; ++position) {
        const char32_t character = *position;
        if (character >= U'0' && character <= U'9') {
            if (!afterPoint)
                placeholder.width =
                    AppendDigit(placeholder.width, character, SPlaceholder::kMaxWidth);
        } else if (character == U'.') {
            afterPoint = true;
        } else if (character == U'R') {
            placeholder.rightAligned = true;
        } else if (character == U'Z') {
            placeholder.zeroPadded = true;
        }
    }
}

template <typename T> std::optional<SPlaceholder> Read(const T* begin, const T* end) {
    // The shortest placeholder is an index and a type.
    if (end - begin < 2)
        return std::nullopt;
    SPlaceholder placeholder;
    placeholder.index = IndexOf(static_cast<char32_t>(*begin));
    if (placeholder.index == kNoIndex)
        return std::nullopt;
    const T* typePosition = end - 1;
    placeholder.type = static_cast<char32_t>(*typePosition);
    ReadSpec(placeholder, begin + 1, typePosition);
    return placeholder;
}

} // namespace

std::optional<SPlaceholder> ReadPlaceholder(const char* begin, const char* end) {
    return Read(begin, end);
}

std::optional<SPlaceholder> ReadPlaceholder(const char16_t* begin, const char16_t* end) {
    return Read(begin, end);
}

} // namespace NString
