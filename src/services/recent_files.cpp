#include "services/recent_files.h"

#include "framework/string_functions.h"
#include "services/registry.h"
#include "text/format.h"

#include <algorithm>
#include <utility>

namespace NSettings {

CRecentFiles::CRecentFiles(const char16_t* folderPath) : m_folder(folderPath) {}

void CRecentFiles::Load(const char16_t* folderPath) {
    m_folder = folderPath;
    m_entries.clear();
    m_capacity = ReadDword(ValuePath(kRecentCapacityName).Text(), kDefaultRecentCapacity);
    const std::uint32_t size = ReadDword(ValuePath(kRecentSizeName).Text(), kDefaultRecentSize);
    const std::uint32_t count = std::min(size, kMostEntriesLoaded);
    // Oldest first: each Add puts its entry in front, so entry 00 (the newest)
    // has to come last to stay in front.
    for (std::uint32_t index = count; index-- > 0;) {
        CEntry entry;
        if (ReadString(EntryPath(index).Text(), entry) == NResult::kOk)
            Add(entry.Text());
    }
}

bool CRecentFiles::Add(const char16_t* path) {
    if (path == nullptr || *path == 0)
        return false;
    CEntry entry;
    if (entry.Assign(path) == 0)
        return false;
    // Compared against the copy: `path` may be the text of an entry that goes.
    std::erase_if(m_entries, [&entry](const CEntry& existing) {
        return NString::Compare(existing.Text(), entry.Text()) == 0;
    });
    m_entries.insert(m_entries.begin(), std::move(entry));
    if (m_entries.size() > kMostEntries)
        m_entries.resize(kMostEntries);
    return true;
}

int CRecentFiles::Save() const {
    int firstFailure = NResult::kOk;
    const auto keep = [&firstFailure](int result) {
        if (firstFailure == NResult::kOk)
            firstFailure = result;
    };
    keep(WriteDword(ValuePath(kRecentCapacityName).Text(), m_capacity));
    keep(WriteDword(ValuePath(kRecentSizeName).Text(),
                    static_cast<std::uint32_t>(m_entries.size())));
    for (std::uint32_t index = 0; index < m_entries.size(); ++index)
        keep(WriteString(EntryPath(index).Text(), m_entries[index].Text()));
    return firstFailure;
}

CRecentFiles::CEntry CRecentFiles::ValuePath(const char16_t* name) const {
    CEntry path;
    NString::Format(path, u"{0s}{1s}", m_folder, name);
    return path;
}

CRecentFiles::CEntry CRecentFiles::EntryPath(std::uint32_t index) const {
    CEntry path;
    NString::Format(path, kRecentEntryFormat, m_folder, index);
    return path;
}

} // namespace NSettings
