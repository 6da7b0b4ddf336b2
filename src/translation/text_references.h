#pragma once

#include "framework/str.h"

// The escapes of language files: the entity references and "\n" that a text
// may hold, turned into the characters they stand for.
namespace NString {

// Replaces every occurrence of `pattern` (not empty) by the single unit
// `replacement`, left to right, without looking again at what was replaced.
// A borrowed string first gets a copy of its own. The replacement may be
// zero, which leaves a zero-separated list in the string's buffer: `Length`
// then sees only its first part. 1, or 0 when memory ran out (the string is
// then unchanged).
int ReplaceAll(TStr<char16_t>& text, const char16_t* pattern, char16_t replacement);

// Replaces, in this order and each over the whole text before the next:
// "&lt;", "&gt;", "&amp;", "&apos;", "&quot;", "&nbsp;" (U+00A0), "&copy;"
// (U+00A9) and the two characters "\n" (a line feed). So "&amp;apos;" ends as
// "'". 1, or 0 when memory ran out.
int DecodeReferences(TStr<char16_t>& text);

} // namespace NString
