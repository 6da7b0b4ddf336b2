#include "framework/program_folder.h"

#include <filesystem>
#include <system_error>

namespace NIO {

NString::TStr<char16_t> ProgramFolder() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !executable.has_parent_path())
        return {};
    // File names are UTF-8 on the file system.
    const std::string folder = executable.parent_path().string() + '/';
    return NString::TStr<char16_t>(folder.c_str());
}

} // namespace NIO
