#pragma once

#include "framework/result.h"
#include "framework/stream.h"

#include <cstdint>
#include <filesystem>
#include <optional>

namespace NIO {

// A UTF-16 path in the file system's own form (UTF-8); nothing when it holds
// unpaired surrogates, which no file name can carry.
std::optional<std::filesystem::path> NativePath(const char16_t* path);

// A stream over an operating-system file. Its flag word holds the open mode.
class CFile final : public CBase {
public:
    // Open modes.
    static constexpr std::uint32_t kRead = 0x1;
    // Creates the file anew (truncating an existing one) after creating the
    // folders of its path.
    static constexpr std::uint32_t kWrite = 0x2;

    // Failures that share the code of a file that cannot be opened.
    static constexpr int kShortWrite = NResult::kCannotOpen;
    static constexpr int kCannotSeek = NResult::kCannotOpen;
    // SetSize's result when the system refuses.
    static constexpr int kSetSizeFailed = 0;

    CFile() = default;
    ~CFile() override;

    // Closes any open file first. kOk, kInvalidArgument for an empty path, or
    // kCannotOpen. Folders cannot be opened.
    int Open(const char16_t* path, std::uint32_t mode);
    // Always kOk.
    int Close();
    bool IsOpen() const { return m_handle >= 0; }

    // 0 when not open.
    std::size_t Read(void* buffer, std::size_t count) override;
    // kOk, kShortWrite when fewer bytes were written, kNotOpen.
    int WriteBytes(const void* buffer, std::size_t count) override;
    // 0 when not open.
    std::uint64_t Size() const override;
    // Ends the file at `size` and leaves the position there: kOk, kNotOpen or
    // kSetSizeFailed.
    int SetSize(std::uint64_t size) override;
    // 0 when not open.
    std::uint64_t Position() const override;
    // kOk, kInvalidArgument for an unknown origin, kNotOpen, or kCannotSeek.
    int Seek(std::int64_t offset, int origin) override;

private:
    int m_handle = -1;
};

} // namespace NIO
