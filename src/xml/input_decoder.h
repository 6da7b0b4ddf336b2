#pragma once

#include "framework/str.h"
#include "xml/parse_error.h"

#include <cstddef>
#include <string>

namespace NIO {
class CBase;
}

// Turns the raw bytes of a document into the one UTF-8 text the parser reads.
namespace NXML {

// Longest character-set name taken from an XML declaration, in bytes.
constexpr std::size_t kLongestDeclaredCharsetName = 8191;

// What the decoder found out about the raw bytes.
struct SInputForm {
    // The MIBenum of the character set.
    int charset = 0;
    bool byteOrderMark = false;
    // Where the decoding stopped before the end of the input, the text then
    // ending there: at a zero byte or unit, which XML does not allow, or at a
    // UTF-16 unit that is half of a pair without its other half (or an odd
    // last byte). kNone when the whole input was decoded.
    EParseProblem stoppedBy = EParseProblem::kNone;
};

// Reads `stream` from its position to its end (a pipe included) into `text`
// as UTF-8. A byte-order mark (EF BB BF, FE FF, FF FE) decides the character
// set and is dropped; without one, UTF-16 is recognised by a first character
// "<" or whitespace with a zero byte beside it, else the character set is
// the one the XML declaration names, else UTF-8.
// NResult::kOk, kNothingParsed for fewer than 4 bytes, kUnsupportedCharset,
// or kNoMemory.
int DecodeInput(NIO::CBase& stream, NString::TStr<char>& text, SInputForm& form);

// The name to look the character set of `text` (no byte-order mark) up by:
// "UTF-8" when it has no XML declaration naming one, else the declared name
// with one space before and after it, so that only whole names match. The
// search stays inside the declaration. A declaration with "encoding" but
// without a value gives "  ", which names no character set.
std::string DeclaredCharsetName(const char* text, std::size_t length);

} // namespace NXML
