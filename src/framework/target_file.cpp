#include "framework/target_file.h"

#include "framework/file.h"

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
namespace {

namespace fs = std::filesystem;

// An error number for a failure that set none.
int SystemError() {
    return errno != 0 ? errno : EIO;
}

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
    // 0 or the error number of closing.
    int Close() {
        const int result = ::close(m_descriptor);
        m_descriptor = -1;
        return result == 0 ? 0 : SystemError();
    }
    void Keep() { m_kept = true; }

private:
    int m_descriptor;
    fs::path m_path;
    bool m_kept = false;
};

// Makes `file` a new, empty file beside `target` with a name of its own.
int CreateFileBeside(const fs::path& target, std::optional<CTemporaryFile>& file) {
    static std::atomic<unsigned> s_counter{0};
    // .name.quillmere-pid-n, built by appending: GCC 12 takes an inlined insert
    // at the front of a string for an overlapping copy (-Wrestrict).
    std::string stem = ".";
    stem += target.filename().string();
    stem += ".quillmere-";
    stem += std::to_string(::getpid());
    stem += '-';
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path path = target.parent_path() / stem;
        path += std::to_string(s_counter++);
        const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            file.emplace(descriptor, std::move(path));
            return 0;
        }
        if (errno != EEXIST)
            break;
    }
    return SystemError();
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

// Makes `file` a new file beside `target` that holds the bytes on the disk.
int WriteFileBeside(const fs::path& target, const void* data, std::size_t length,
                    std::optional<CTemporaryFile>& file) {
    if (const int error = CreateFileBeside(target, file); error != 0)
        return error;
    TakeOverAttributes(file->Descriptor(), target);
    if (const int error = WriteToDescriptor(file->Descriptor(), data, length); error != 0)
        return error;
    return ::fsync(file->Descriptor()) == 0 ? 0 : SystemError();
}

int ReplaceByRenaming(const fs::path& target, const void* data, std::size_t length) {
    std::optional<CTemporaryFile> file;
    if (const int error = WriteFileBeside(target, data, length, file); error != 0)
        return error;
    if (const int closed = file->Close(); closed != 0)
        return closed;
    if (::rename(file->Path().c_str(), target.c_str()) != 0)
        return SystemError();
    file->Keep();
    return 0;
}

// Opens the target with `flags` and writes the bytes through it.
int WriteInPlace(const fs::path& target, int flags, const void* data, std::size_t length) {
    const int descriptor = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | flags);
    if (descriptor < 0)
        return SystemError();
    int error = WriteToDescriptor(descriptor, data, length);
    if (::close(descriptor) != 0 && error == 0)
        error = SystemError();
    return error;
}

int RewriteLinkedFile(const fs::path& target, const void* data, std::size_t length) {
    {
        // The copy proves the room is there; removing it just before the
        // target is cut hands that room over.
        std::optional<CTemporaryFile> file;
        if (const int error = WriteFileBeside(target, data, length, file); error != 0)
            return error;
    }
    return WriteInPlace(target, O_TRUNC, data, length);
}

} // namespace

int WriteTargetFile(const char16_t* path, const void* data, std::size_t length) {
    const std::optional<fs::path> native = NativePath(path);
    if (!native || native->empty() || !native->has_filename())
        return EINVAL;
    struct stat status {};
    if (::stat(native->c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode))
            return EISDIR;
        if (!S_ISREG(status.st_mode))
            return WriteInPlace(*native, 0, data, length);
        if (status.st_nlink > 1)
            return RewriteLinkedFile(*native, data, length);
    } else if (errno != ENOENT) {
        return SystemError();
    }
    std::error_code error;
    fs::path target = *native;
    // The file a link points to is replaced, not the link.
    if (fs::is_symlink(target, error)) {
        target = fs::weakly_canonical(target, error);
        if (error)
            return error.value();
    }
    if (!target.has_parent_path())
        target = fs::path(".") / target;
    return ReplaceByRenaming(target, data, length);
}

int WriteToDescriptor(int descriptor, const void* data, std::size_t length) {
    const auto* bytes = static_cast<const char*>(data);
    while (length > 0) {
        const ssize_t written = ::write(descriptor, bytes, length);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return SystemError();
        if (written == 0)
            return EIO;
        bytes += written;
        length -= static_cast<std::size_t>(written);
    }
    return 0;
}

bool IsSameFile(const char16_t* first, const char16_t* second) {
    const std::optional<fs::path> a = NativePath(first);
    const std::optional<fs::path> b = NativePath(second);
    struct stat statusA {};
    struct stat statusB {};
    return a && b && !a->empty() && !b->empty() && ::stat(a->c_str(), &statusA) == 0 &&
           ::stat(b->c_str(), &statusB) == 0 && statusA.st_dev == statusB.st_dev &&
           statusA.st_ino == statusB.st_ino;
}

bool WouldOverwriteEachOther(const char16_t* first, const char16_t* second) {
    const std::optional<fs::path> a = NativePath(first);
    const std::optional<fs::path> b = NativePath(second);
    if (!a || !b || a->empty() || b->empty())
        return false;
    std::error_code error;
    const fs::file_status status = fs::status(*a, error);
    if (fs::exists(status))
        return fs::is_regular_file(status) && IsSameFile(first, second);
    if (fs::exists(*b, error))
        return false;
    // Relative paths are made absolute first: a relative path whose every
    // part is missing comes back from weakly_canonical as it went in.
    const fs::path canonicalA = fs::weakly_canonical(fs::absolute(*a, error), error);
    if (error)
        return false;
    const fs::path canonicalB = fs::weakly_canonical(fs::absolute(*b, error), error);
    return !error && canonicalA == canonicalB;
}

void OccupyClosedStandardStreams() {
    for (int stream = STDIN_FILENO; stream <= STDERR_FILENO; ++stream) {
        if (::fcntl(stream, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The read end of a pipe without a writer: reading sees the end, and
        // writing fails with EBADF, as on the closed stream.
        int ends[2];
        if (::pipe(ends) != 0)
            return;
        if (ends[0] != stream) {
            ::dup2(ends[0], stream);
            ::close(ends[0]);
        }
        ::close(ends[1]);
    }
}

} // namespace NIO
