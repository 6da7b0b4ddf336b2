#include "formats/shipped_formats.h"

#include "formats/formats_folder.h"
#include "framework/file.h"

#include <filesystem>
#include <system_error>

namespace {

constexpr char kShippedBelowProgram[] = "Data/Formats/";

} // namespace

NString::TStr<char16_t> ShippedFormatsFolder() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || executable.empty())
        return {};
    const std::u8string folder = (executable.parent_path() / kShippedBelowProgram).u8string();
    return NString::TStr<char16_t>(reinterpret_cast<const char*>(folder.c_str()));
}

int InstallShippedFormats(const char16_t* shippedFolder, const char16_t* formatsFolder) {
    if (!SpecFilesIn(formatsFolder).empty())
        return 0;
    const auto target = NIO::NativePath(formatsFolder);
    if (!target)
        return 0;
    int copied = 0;
    for (const NString::TStr<char16_t>& file : SpecFilesIn(shippedFolder)) {
        const auto source = NIO::NativePath(file.Text());
        std::error_code error;
        std::filesystem::create_directories(*target, error);
        if (source &&
            std::filesystem::copy_file(*source, *target / source->filename(),
                                       std::filesystem::copy_options::skip_existing, error))
            ++copied;
    }
    return copied;
}
