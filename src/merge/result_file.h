#pragma once

#include <cstdint>

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
// (trailing text included) in the form ResultForm chooses for the left
// document's character set (saying so when the declared set cannot be
// written), and writes it to `path` as NIO::WriteTargetFile does. `sizeHint` (the largest
// input file) sizes the first buffer. A text the character set cannot hold
// is refused with a message naming the character and its line; a failed
// write is told with the path and the system's reason.
ESaveResult SaveMergedResult(const CMergeModel& model, const NXML::CDoc& left,
                             std::uint64_t sizeHint, const char16_t* path);
