#include "formats/formats_folder.h"

#include "formats/spec_file_name.h"
#include "formats/wildcard.h"
#include "framework/file.h"
#include "framework/string_functions.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <string>
#include <system_error>
#include <unistd.h>

namespace {

constexpr char kFolderVariable[] = "QUILLMERE_FORMATS_DIR";
constexpr char kFormatsBelowDataHome[] = "Velden/Quillmere/Formats/";

// The value of an environment variable, or null when it is unset or empty.
const char* Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != 0 ? value : nullptr;
}

std::string HomeFolder() {
    if (const char* home = Variable("HOME"))
        return home;
    // Services may run without HOME; the password database still knows it.
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::string buffer(size > 0 ? static_cast<std::size_t>(size) : 16384, '\0');
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr)
        return found->pw_dir;
    return {};
}

std::string DataHome() {
    const char* dataHome = Variable("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/')
        return dataHome;
    const std::string home = HomeFolder();
    return home.empty() ? std::string() : home + "/.local/share";
}

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

NString::TStr<char16_t> Utf16(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return NString::TStr<char16_t>(reinterpret_cast<const char*>(utf8.c_str()));
}

bool IsSpecFileName(const std::filesystem::path& name) {
    const std::u8string utf8 = name.u8string();
    NString::TStr<char16_t> lower(reinterpret_cast<const char*>(utf8.c_str()));
    NString::ToLower(lower.Text());
    return WildcardMatches(kSpecFilePattern, NString::TStr<char>(lower.Text()).Text());
}

} // namespace

NString::TStr<char16_t> FormatsFolder() {
    if (const char* folder = Variable(kFolderVariable))
        return NString::TStr<char16_t>(WithSeparator(folder).c_str());
    const std::string dataHome = DataHome();
    if (dataHome.empty())
        return {};
    return NString::TStr<char16_t>((WithSeparator(dataHome) + kFormatsBelowDataHome).c_str());
}

std::vector<NString::TStr<char16_t>> SpecFilesIn(const char16_t* folder) {
    std::vector<NString::TStr<char16_t>> files;
    const auto native = NIO::NativePath(folder);
    std::error_code error;
    if (!native)
        return files;
    for (std::filesystem::directory_iterator entry(*native, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code typeError;
        if (entry->is_regular_file(typeError) && IsSpecFileName(entry->path().filename()))
            files.push_back(Utf16(entry->path()));
    }
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
        const int order = NString::CompareNoCase(a.Text(), b.Text());
        return order != 0 ? order < 0 : NString::Compare(a.Text(), b.Text()) < 0;
    });
    return files;
}
