#pragma once

#include "framework/buffer.h"
#include "framework/file.h"
#include "framework/result.h"
#include "framework/str.h"

#include <cstddef>
#include <cstdint>

// Whole-file and folder operations on UTF-16 paths.
namespace NIO {

// Replaces the content of `stream` with the file's bytes, followed by a zero
// byte when `addTerminator` is set; the position goes to 0. kOk, the result of
// opening the file, or kCannotGrow when the stream cannot hold the file.
template <int N> int ReadWholeFile(const char16_t* path, TBuffer<N>& stream, bool addTerminator) {
    CFile file;
    if (const int result = file.Open(path, CFile::kRead); result != NResult::kOk)
        return result;
    const std::uint64_t size = file.Size();
    stream.Clear();
    if (const int result = stream.SetSize(size + addTerminator); result != NResult::kOk)
        return result;
    // A file that shrank since its size was taken yields fewer bytes.
    const std::size_t got = file.Read(stream.Data(), static_cast<std::size_t>(size));
    if (addTerminator)
        stream.Data()[got] = 0;
    stream.SetSize(got + addTerminator);
    return NResult::kOk;
}

// Creates the file anew (and the folders of its path) with `length` bytes of
// `data`. kOk, the result of opening the file, or CFile::kShortWrite.
int WriteWholeFile(const char16_t* path, const void* data, std::size_t length);

template <int N> int WriteBufferToFile(const char16_t* path, const TBuffer<N>& stream) {
    return WriteWholeFile(path, stream.Data(), static_cast<std::size_t>(stream.Size()));
}

// Why the file at `path` cannot be read, for a message: the system's error
// number (errno) of opening it or of reading its first byte; 0 when it can
// be read after all.
int ReadFailureReason(const char16_t* path);

// The system's words for an error number (errno), for a message.
NString::TStr<char> SystemErrorText(int error);

// Creates the folder and every missing parent. True only when the folder
// itself was created, false when it existed already or cannot be made.
bool CreateFolders(const char16_t* path);
bool IsFolder(const char16_t* path);
// True when the path exists and is not a folder.
bool FileExists(const char16_t* path);
// kOk when nothing is left at the path (deleted, or there was nothing), else
// kCannotOpen; folders are never deleted.
int DeleteFileAt(const char16_t* path);

// The part of `path` behind its last "/" or "\"; the whole path when it has
// neither.
const char16_t* FileNameOf(const char16_t* path);

} // namespace NIO
