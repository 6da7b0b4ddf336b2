#include "framework/file_functions.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <system_error>
#include <unistd.h>

namespace NIO {

int WriteWholeFile(const char16_t* path, const void* data, std::size_t length) {
    CFile file;
    if (const int result = file.Open(path, CFile::kWrite); result != NResult::kOk)
        return result;
    return file.WriteBytes(data, length);
}

int ReadFailureReason(const char16_t* path) {
    const std::optional<std::filesystem::path> native = NativePath(path);
    if (!native || native->empty())
        return ENOENT;
    const int descriptor = ::open(native->c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0)
        return errno;
    char byte;
    // A folder opens, but gives no bytes.
    const int reason = ::read(descriptor, &byte, 1) < 0 && errno != EAGAIN ? errno : 0;
    ::close(descriptor);
    return reason;
}

NString::TStr<char> SystemErrorText(int error) {
    return NString::TStr<char>(std::error_code(error, std::system_category()).message().c_str());
}

bool CreateFolders(const char16_t* path) {
    const std::optional<std::filesystem::path> native = NativePath(path);
    std::error_code error;
    return native && !native->empty() && std::filesystem::create_directories(*native, error);
}

bool IsFolder(const char16_t* path) {
    const std::optional<std::filesystem::path> native = NativePath(path);
    std::error_code error;
    return native && !native->empty() && std::filesystem::is_directory(*native, error);
}

bool FileExists(const char16_t* path) {
    const std::optional<std::filesystem::path> native = NativePath(path);
    std::error_code error;
    if (!native || native->empty())
        return false;
    const std::filesystem::file_status status = std::filesystem::status(*native, error);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

int DeleteFileAt(const char16_t* path) {
    const std::optional<std::filesystem::path> native = NativePath(path);
    if (!native || native->empty())
        return NResult::kCannotOpen;
    return ::unlink(native->c_str()) == 0 || errno == ENOENT ? NResult::kOk : NResult::kCannotOpen;
}

const char16_t* FileNameOf(const char16_t* path) {
    const char16_t* name = path;
    for (const char16_t* position = path; *position != 0; ++position)
        if (*position == u'/' || *position == u'\\')
            name = position + 1;
    return name;
}

} // namespace NIO
