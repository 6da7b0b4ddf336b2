#pragma once

#include "text/str.h"

#include <cstddef>
#include <string>

namespace NIO {
class CBase;
}

// Turns the raw bytes of a document into the one UTF-8 text the parser reads.
namespace NXML {

// Longest character-set name taken from an XML declaration, in bytes.
constexpr std::size_t kLongestDeclaredCharsetName = 8191;

// Reads `stream` from its position to its end into `text` as UTF-8, up to
// the first zero byte or unit. A byte-order mark (EF BB BF, FE FF, FF FE)
// decides the character set and is dropped; without one, the character set
// is the one the XML declaration names, else UTF-8. `charset` receives its
// MIBenum, and `byteOrderMark` (when given) whether there was a mark.
// NResult::kOk, kNothingParsed for fewer than 4 bytes, kUnsupportedCharset,
// or kNoMemory.
int DecodeInput(NIO::CBase& stream, NString::TStr<char>& text, int& charset,
                bool* byteOrderMark = nullptr);

// The name to look the character set of `text` (no byte-order mark) up by:
// "UTF-8" when it has no XML declaration naming one, else the declared name
// with one space before and after it, so that only whole names match. The
// search stays inside the declaration. A declaration with "encoding" but
// without a value gives "  ", which names no character set.
std::string DeclaredCharsetName(const char* text, std::size_t length);

} // namespace NXML
