#pragma once

#include <string>
#include <string_view>

// The source form of edited text: what was typed may hold characters that a
// value or character data cannot hold as they are. "<" and an "&" that does
// not start a reference become references, and so does `quote` (the quote
// mark around an attribute value; 0 in character data). References already
// in the text are kept, so source text that parsed comes out unchanged.
std::string EscapeMarkup(std::string_view text, char quote);
