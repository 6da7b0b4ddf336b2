#include "framework/file.h"

#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace NIO {
namespace {

int CreateAnew(const std::filesystem::path& path, std::uint32_t mode) {
    std::error_code ignored; // a folder that cannot be made makes the open fail
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), ignored);
    const int access = (mode & CFile::kRead) ? O_RDWR : O_WRONLY;
    return ::open(path.c_str(), access | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

int OpenExisting(const std::filesystem::path& path) {
    const int handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status;
    if (handle >= 0 && (::fstat(handle, &status) != 0 || S_ISDIR(status.st_mode))) {
        ::close(handle);
        return -1;
    }
    return handle;
}

} // namespace

std::optional<std::filesystem::path> NativePath(const char16_t* path) {
    try {
        return std::filesystem::path(std::u16string_view(path ? path : u""));
    } catch (const std::filesystem::filesystem_error&) {
        return std::nullopt;
    }
}

CFile::~CFile() {
    Close();
}

int CFile::Open(const char16_t* path, std::uint32_t mode) {
    Close();
    if (!path || !*path)
        return NResult::kInvalidArgument;
    const std::optional<std::filesystem::path> native = NativePath(path);
    if (!native)
        return NResult::kCannotOpen;
    const int handle = (mode & kWrite) ? CreateAnew(*native, mode) : OpenExisting(*native);
    if (handle < 0)
        return NResult::kCannotOpen;
    ::posix_fadvise(handle, 0, 0, POSIX_FADV_SEQUENTIAL);
    m_handle = handle;
    flags = mode;
    return NResult::kOk;
}

int CFile::Close() {
    if (IsOpen()) {
        ::close(m_handle);
        m_handle = -1;
    }
    flags = 0;
    return NResult::kOk;
}

std::size_t CFile::Read(void* buffer, std::size_t count) {
    if (!IsOpen())
        return 0;
    auto* bytes = static_cast<unsigned char*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        const ssize_t got = ::read(m_handle, bytes + total, count - total);
        if (got > 0)
            total += static_cast<std::size_t>(got);
        else if (got == 0 || errno != EINTR)
            break;
    }
    return total;
}

int CFile::WriteBytes(const void* buffer, std::size_t count) {
    if (!IsOpen())
        return NResult::kNotOpen;
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        const ssize_t written = ::write(m_handle, bytes + total, count - total);
        if (written > 0)
            total += static_cast<std::size_t>(written);
        else if (written == 0 || errno != EINTR)
            return kShortWrite;
    }
    return NResult::kOk;
}

std::uint64_t CFile::Size() const {
    struct stat status;
    if (!IsOpen() || ::fstat(m_handle, &status) != 0)
        return 0;
    return static_cast<std::uint64_t>(status.st_size);
}

int CFile::SetSize(std::uint64_t size) {
    if (!IsOpen())
        return NResult::kNotOpen;
    const auto end = static_cast<off_t>(size);
    if (end < 0 || ::lseek(m_handle, end, SEEK_SET) < 0 || ::ftruncate(m_handle, end) != 0)
        return kSetSizeFailed;
    return NResult::kOk;
}

std::uint64_t CFile::Position() const {
    const off_t position = IsOpen() ? ::lseek(m_handle, 0, SEEK_CUR) : -1;
    return position < 0 ? 0 : static_cast<std::uint64_t>(position);
}

int CFile::Seek(std::int64_t offset, int origin) {
    if (origin < kSeekFromStart || origin > kSeekFromEnd)
        return NResult::kInvalidArgument;
    if (!IsOpen())
        return NResult::kNotOpen;
    static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    return ::lseek(m_handle, offset, kWhence[origin]) < 0 ? kCannotSeek : NResult::kOk;
}

} // namespace NIO
