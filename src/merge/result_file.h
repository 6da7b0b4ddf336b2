#pragma once

#include <cstdint>

class CMergeModel;
struct SConflictMarkers;
namespace NXML {
class CDoc;
}

enum class ESaveResult {
    Saved,
    // Conflicts remain; the user was told, and nothing was written.
    Unresolved,
    // Conflicts remain and were written marked; the user was told.
    Marked,
    // The text could not be made or written; nothing at the path changed,
    // unless it is no regular file. A write failure was told with its reason.
    Failed,
};

// Saves the merged document of `model` at `path`: while conflicts remain,
// refuses with "Msg.MustResolve", or with `markers` writes them marked as
// MarkConflicts does (labels cut to what the result's character set holds)
// and says so; otherwise writes the merged text
// (trailing text included) in the form ResultForm chooses for the left
// document's character set (saying so when the declared set cannot be
// written), and writes it to `path` as NIO::WriteTargetFile does. `sizeHint` (the largest
// input file) sizes the first buffer. A text the character set cannot hold
// is refused with a message naming the character and its line; a failed
// write is told with the path and the system's reason.
ESaveResult SaveMergedResult(const CMergeModel& model, const NXML::CDoc& left,
                             std::uint64_t sizeHint, const char16_t* path,
                             const SConflictMarkers* markers = nullptr);
