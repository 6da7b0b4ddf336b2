#include "framework/file_functions.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace NIO {

int WriteWholeFile(const char16_t* path, const void* data, std::size_t length) {
    CFile file;
    if (const int result = file.Open(path, CFile::kWrite); result != NResult::kOk)
        return result;
    return file.WriteBytes(data, length);
}

namespace {

namespace fs = std::filesystem;

// Closes a descriptor and removes its file unless told to keep it.
class CTemporaryFile {
public:
    CTemporaryFile(int descriptor, fs::path path)
        : m_descriptor(descriptor), m_path(std::move(path)) {}
    CTemporaryFile(const CTemporaryFile&) = delete;
    CTemporaryFile& operator=(const CTemporaryFile&) = delete;
    ~CTemporaryFile() {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
        if (!m_kept)
            ::unlink(m_path.c_str());
    }

    int Descriptor() const { return m_descriptor; }
    const fs::path& Path() const { return m_path; }
    bool Close() {
        const int result = ::close(m_descriptor);
        m_descriptor = -1;
        return result == 0;
    }
    void Keep() { m_kept = true; }

private:
    int m_descriptor;
    fs::path m_path;
    bool m_kept = false;
};

// A new, empty file beside `target` with a name of its own, or nothing.
std::optional<CTemporaryFile> CreateFileBeside(const fs::path& target) {
    static std::atomic<unsigned> s_counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = "." + target.filename().string() + ".quillmere-" +
                                 std::to_string(::getpid()) + "-" + std::to_string(s_counter++);
        fs::path path = target.parent_path() / name;
        const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0)
            return std::optional<CTemporaryFile>(std::in_place, descriptor, std::move(path));
        if (errno != EEXIST)
            return std::nullopt;
    }
    return std::nullopt;
}

bool WriteAll(int descriptor, const void* data, std::size_t length) {
    const auto* bytes = static_cast<const char*>(data);
    while (length > 0) {
        const ssize_t written = ::write(descriptor, bytes, length);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        length -= static_cast<std::size_t>(written);
    }
    return true;
}

// Gives the new file the mode and, where allowed, the owner of the old one.
void TakeOverAttributes(int descriptor, const fs::path& target) {
    struct stat old {};
    if (::stat(target.c_str(), &old) != 0)
        return;
    // Only the owner may hand a file on; for anybody else this fails harmlessly.
    [[maybe_unused]] const int owned = ::fchown(descriptor, old.st_uid, old.st_gid);
    ::fchmod(descriptor, old.st_mode & 07777);
}

} // namespace

int ReplaceWholeFile(const char16_t* path, const void* data, std::size_t length) {
    const std::optional<fs::path> native = NativePath(path);
    if (!native || native->empty() || !native->has_filename())
        return NResult::kCannotOpen;
    std::error_code error;
    fs::path target = *native;
    if (fs::is_symlink(target, error)) {
        target = fs::weakly_canonical(target, error);
        if (error)
            return NResult::kCannotOpen;
    }
    if (!target.has_parent_path())
        target = fs::path(".") / target;
    fs::create_directories(target.parent_path(), error);
    std::optional<CTemporaryFile> file = CreateFileBeside(target);
    if (!file)
        return NResult::kCannotOpen;
    TakeOverAttributes(file->Descriptor(), target);
    if (!WriteAll(file->Descriptor(), data, length) || ::fsync(file->Descriptor()) != 0 ||
        !file->Close() || ::rename(file->Path().c_str(), target.c_str()) != 0)
        return NResult::kCannotOpen;
    file->Keep();
    return NResult::kOk;
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

NString::TStr<char16_t> TempFolder() {
    std::error_code error;
    std::u16string folder = std::filesystem::temp_directory_path(error).u16string();
    if (error)
        return {};
    if (folder.empty() || folder.back() != u'/')
        folder += u'/';
    return NString::TStr<char16_t>(folder.c_str());
}

} // namespace NIO
