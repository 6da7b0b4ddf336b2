#pragma once

#include "framework/str.h"
#include "services/settings_paths.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace NSettings {

// The list of recently used files, newest first, shared by the file fields of
// the Open dialog and kept in the settings store under one folder path
// (ListCapacity, ListSize and the entries List\00, List\01, ...). One thread
// at a time.
class CRecentFiles {
public:
    using CEntry = NString::TStr<char16_t>;

    // Entries kept in memory and saved.
    static constexpr std::size_t kMostEntries = 100;
    // Entries read by Load, whatever the stored size says.
    static constexpr std::uint32_t kMostEntriesLoaded = 20;

    explicit CRecentFiles(const char16_t* folderPath = kRecentFolderPath);

    // Replaces the list by the one stored under `folderPath` (which ends with
    // a backslash) and saves there from now on. Entries that cannot be read
    // are skipped.
    void Load(const char16_t* folderPath);
    // Puts `path` at the front, dropping any equal entry and then the oldest
    // ones beyond kMostEntries. False, with nothing changed, for a null or
    // empty path or when memory ran out.
    bool Add(const char16_t* path);
    // Writes the capacity read by Load, the number of entries and every entry
    // in list order. NResult::kOk, or the first failure of the store (the
    // remaining values are still written).
    int Save() const;

    // Empties `list` and appends every entry's text in list order. `List` is
    // any sequence that can be cleared and built from `const char16_t*`.
    template <typename List> void Fill(List& list) const {
        list.clear();
        for (const CEntry& entry : m_entries)
            list.emplace_back(entry.Text());
    }

    const std::vector<CEntry>& Entries() const { return m_entries; }
    std::uint32_t StoredCapacity() const { return m_capacity; }

private:
    // The whole path of a value of this list; empty when memory ran out,
    // which the store treats as a path that names nothing.
    CEntry ValuePath(const char16_t* name) const;
    CEntry EntryPath(std::uint32_t index) const;

    CEntry m_folder;
    std::uint32_t m_capacity = kDefaultRecentCapacity;
    std::vector<CEntry> m_entries;
};

} // namespace NSettings
