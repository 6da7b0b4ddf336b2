#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Displayed columns count UTF-16 units while block texts are UTF-8: these
// convert between the two.

// The UTF-16 units of `text`.
std::uint32_t Utf16Columns(std::string_view text);
// The byte offset in `text` of column `column`; the length of `text` for a
// column at or past its end. A column inside a surrogate pair counts as the
// start of that character.
std::size_t ByteOffsetOfColumn(std::string_view text, std::uint32_t column);
// `column` moved back to the start of the character it falls in: a column
// between the two units of a surrogate pair is not a place in the text.
std::uint32_t CharacterStartColumn(std::string_view text, std::uint32_t column);
