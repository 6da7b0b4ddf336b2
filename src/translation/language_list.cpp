#include "translation/language_list.h"

#include "framework/file.h"
#include "translation/language_tree.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace NString::NTranslator {

namespace {

constexpr char16_t kBuiltInName[] = u"English";
constexpr char16_t kLanguageExtension[] = u".xml";

bool IsLanguageFileName(std::u16string_view name) {
    const std::u16string_view extension(kLanguageExtension);
    return name.size() >= extension.size() &&
           CompareNoCase(name.data() + name.size() - extension.size(), kLanguageExtension) == 0;
}

// The names of the language files in `folder`, sorted; none when the folder
// cannot be read.
std::vector<std::u16string> LanguageFileNames(const std::u16string& folder) {
    std::vector<std::u16string> names;
    const auto native = NIO::NativePath(folder.c_str());
    if (!native)
        return names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(*native, error), end; !error && entry != end;
         entry.increment(error)) {
        if (!entry->is_regular_file(error))
            continue;
        // File names are UTF-8 on the file system.
        const TStr<char16_t> name(entry->path().filename().string().c_str());
        if (IsLanguageFileName(name.Text()))
            names.emplace_back(name.Text());
    }
    std::sort(names.begin(), names.end());
    return names;
}

SLanguageEntry MakeEntry(const char16_t* fileName, const char16_t* displayName) {
    SLanguageEntry entry;
    entry.fileName.Assign(fileName);
    entry.displayName.Assign(displayName);
    return entry;
}

} // namespace

void CLanguageList::Scan(const char16_t* folder) {
    m_entries.clear();
    m_entries.push_back(MakeEntry(u"", kBuiltInName));
    m_folder = folder != nullptr ? folder : u"";
    if (!m_folder.empty() && m_folder.back() != u'/')
        m_folder += u'/';
    for (const std::u16string& name : LanguageFileNames(m_folder))
        AddFile((m_folder + name).c_str(), name.c_str());
}

void CLanguageList::AddFile(const char16_t* path, const char16_t* fileName) {
    CLanguage language;
    if (language.LoadFile(path, true) == 0)
        return;
    const TStr<char16_t>& name = language.Text("Lang.Name", kBaseText);
    if (!name.IsEmpty())
        m_entries.push_back(MakeEntry(fileName, name.Text()));
}

const SLanguageEntry& CLanguageList::At(std::uint32_t index) const {
    static const SLanguageEntry kNone;
    return index < m_entries.size() ? m_entries[index] : kNone;
}

int CLanguageList::IndexOf(const char16_t* fileName) const {
    const char16_t* wanted = fileName != nullptr ? fileName : u"";
    for (std::size_t index = 0; index < m_entries.size(); ++index) {
        if (Compare(m_entries[index].fileName.Text(), wanted) == 0)
            return static_cast<int>(index);
    }
    return -1;
}

TStr<char16_t> CLanguageList::PathOf(std::uint32_t index) const {
    const SLanguageEntry& entry = At(index);
    if (entry.fileName.IsEmpty())
        return {};
    return TStr<char16_t>((m_folder + entry.fileName.Text()).c_str());
}

} // namespace NString::NTranslator
