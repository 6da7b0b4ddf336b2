#pragma once

#include "framework/buffer.h"

#include <cstdint>
#include <string_view>

// The bytes of a merged result file: the merged UTF-8 text in the character
// set of the left input file.

enum class EEncodeResult {
    Ok,
    NoMemory,
    // The character set has no converter.
    NoConverter,
    // The text holds a character the character set cannot represent. Writing
    // the rest would lose it silently, so nothing is written.
    Unrepresentable,
};

// The mark a result file in `charset` starts with: FE FF for UTF-16
// big-endian, FF FE for UTF-16 little-endian and plain UTF-16, EF BB BF for
// UTF-8 when the left input had one (`utf8Mark`); otherwise none.
std::string_view ResultByteOrderMark(int charset, bool utf8Mark);

// Appends the result file for the UTF-8 `text` to `out`: the mark, then the
// text in `charset` (UTF-16 code units in the mark's byte order, UTF-8 and
// US-ASCII as they are, other sets converted). `out` may hold part of the
// result when this fails.
EEncodeResult EncodeResultFile(std::string_view text, int charset, bool utf8Mark,
                               NIO::TBuffer<0>& out);

class CMergeModel;
namespace NXML {
class CDoc;
}

enum class ESaveResult {
    Saved,
    // Conflicts remain; the user was told, and nothing was written.
    Unresolved,
    // The text could not be made or written; nothing at the path changed,
    // unless it is no regular file. A write failure was told with its reason.
    Failed,
};

// Saves the merged document of `model` at `path`: refuses with
// "Msg.MustResolve" while conflicts remain; otherwise writes the merged text
// followed by the text after the left document's last node, in the left
// document's character set, and writes it to `path` as NIO::WriteTargetFile
// does. `sizeHint` (the largest input file) sizes the first buffer. A text
// the character set cannot hold, and a failed write, are told with a message.
ESaveResult SaveMergedResult(const CMergeModel& model, const NXML::CDoc& left,
                             std::uint64_t sizeHint, const char16_t* path);
