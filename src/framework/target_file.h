#pragma once

#include "framework/buffer.h"

#include <cstddef>

// Writing a whole output (a merged result, a report) to the file a user
// named. Every function returns 0 when all bytes were written, else the
// system's error number (errno) of the step that failed, for the message.
namespace NIO {

// Writes `length` bytes of `data` as the whole new content of `path`:
// - a new file, or a regular file with one link, is replaced in one step: the
//   bytes go to a new file beside it, which is then renamed over it, so the
//   target holds either its old or its whole new content and keeps its
//   permissions (and, where allowed, its owner); a symbolic link is followed;
// - a regular file with more than one link is rewritten in place, so that
//   every link sees the new content; the bytes first go to a new file beside
//   it, so that a disk too full for them fails before the target is touched;
// - anything else (a device, a FIFO) is written through in place, never
//   replaced.
// Missing folders are not created: that fails with ENOENT. A folder fails
// with EISDIR.
int WriteTargetFile(const char16_t* path, const void* data, std::size_t length);

template <int N> int WriteBufferToTarget(const char16_t* path, const TBuffer<N>& stream) {
    return WriteTargetFile(path, stream.Data(), static_cast<std::size_t>(stream.Size()));
}

// Writes every byte to an open descriptor (standard output), retrying after
// signals and short writes.
int WriteToDescriptor(int descriptor, const void* data, std::size_t length);

// Whether both paths name one existing file (same device and file number),
// however spelt and through any symbolic links.
bool IsSameFile(const char16_t* first, const char16_t* second);

// Whether writing both paths would leave only the second text: one regular
// file (as IsSameFile), or one path that names no file yet. Devices and
// FIFOs take any number of writes, so they never collide.
bool WouldOverwriteEachOther(const char16_t* first, const char16_t* second);

// A standard stream (0, 1 or 2) the process was started without is occupied
// by the read end of a pipe without a writer, so that no file opened later
// takes its number: writes there still fail with EBADF, reads see the end.
// Call before opening any file.
void OccupyClosedStandardStreams();

} // namespace NIO
