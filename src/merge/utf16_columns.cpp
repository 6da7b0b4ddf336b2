#include "merge/utf16_columns.h"

#include "framework/utf.h"

using NString::DecodeNext;
using NString::EncodedLengthUtf16;

std::uint32_t Utf16Columns(std::string_view text) {
    std::uint32_t columns = 0;
    const char* end = text.data() + text.size();
    for (const char* position = text.data(); position < end;)
        columns += static_cast<std::uint32_t>(EncodedLengthUtf16(DecodeNext(position, end)));
    return columns;
}

std::size_t ByteOffsetOfColumn(std::string_view text, std::uint32_t column) {
    const char* end = text.data() + text.size();
    const char* position = text.data();
    for (std::uint32_t columns = 0; position < end;) {
        const char* start = position;
        columns += static_cast<std::uint32_t>(EncodedLengthUtf16(DecodeNext(position, end)));
        if (columns > column)
            return static_cast<std::size_t>(start - text.data());
    }
    return text.size();
}

std::uint32_t CharacterStartColumn(std::string_view text, std::uint32_t column) {
    return Utf16Columns(text.substr(0, ByteOffsetOfColumn(text, column)));
}
