#pragma once

#include "framework/str.h"

#include <cstdint>
#include <string>
#include <vector>

namespace NString::NTranslator {

// One language the user can choose.
struct SLanguageEntry {
    // Without its folder; empty for the built-in language.
    TStr<char16_t> fileName;
    // The language's own "Lang.Name".
    TStr<char16_t> displayName;
};

// The built-in English and the language files found in one folder.
class CLanguageList {
public:
    // Empties the list and adds the built-in English; then, for each file of
    // `folder` whose name ends in ".xml" (of any case), in the order of the
    // file names, an entry named by the file's "Lang.Name" (decoded) when the
    // file loads as a language and that text is not empty. Other files are
    // left out without a word.
    void Scan(const char16_t* folder);

    std::uint32_t Count() const { return static_cast<std::uint32_t>(m_entries.size()); }
    // An entry with empty names past the end.
    const SLanguageEntry& At(std::uint32_t index) const;
    // The position of the entry for `fileName` (empty or null: the built-in
    // language), or -1 when the list has none.
    int IndexOf(const char16_t* fileName) const;
    // Where the file of entry `index` lies; empty for the built-in language
    // and past the end.
    TStr<char16_t> PathOf(std::uint32_t index) const;

private:
    // Appends the entry for the file at `path` when it names its language.
    void AddFile(const char16_t* path, const char16_t* fileName);

    std::vector<SLanguageEntry> m_entries;
    // The scanned folder, ending in a separator.
    std::u16string m_folder;
};

} // namespace NString::NTranslator
