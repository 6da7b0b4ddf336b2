#include "formats/format_list.h"

#include "formats/file_spec.h"
#include "formats/formats_folder.h"
#include "formats/shipped_formats.h"
#include "formats/spec_file_name.h"
#include "formats/spec_file_problems.h"
#include "framework/buffer.h"
#include "framework/file_functions.h"
#include "framework/result.h"
#include "framework/string_functions.h"
#include "text/format.h"
#include "xml/doc.h"
#include "xml/element.h"

#include <memory>
#include <vector>

namespace {

bool IsNamed(const NXML::CElement* element, const char* name) {
    return element != nullptr && NString::Compare(element->text.Text(), name) == 0;
}

// The group file at `path`, read and split; nothing when it is no group.
class CGroupFile {
public:
    explicit CGroupFile(const char16_t* path) : m_path(path) {
        if (NIO::ReadWholeFile(path, m_bytes, false) != NResult::kOk)
            return;
        NXML::CDoc document;
        NIO::TBuffer<0> reader;
        reader.Borrow(m_bytes.Data(), static_cast<std::size_t>(m_bytes.Size()));
        if (document.Parse(reader) != NResult::kOk)
            return;
        const NXML::CElement* group = document.FirstChildElement();
        if (!IsNamed(group, "group"))
            return;
        m_isGroup = true;
        for (const NXML::CElement* file = group->FindChildElement("file"); file != nullptr;
             file = NextFileElement(*file)) {
            auto spec = std::make_unique<CFileSpec>();
            spec->Read(*file, 0);
            spec->SetFlags(CFileSpec::kModified);
            m_specs.push_back(std::move(spec));
        }
    }

    bool IsGroup() const { return m_isGroup; }

    // Deletes the group file first, so that a specification saved under the
    // group's own file name survives, then saves each specification. When one
    // cannot be saved the group file is written back, to be split again at
    // the next start; when the group file cannot be deleted, nothing changes.
    void Expand(const char16_t* folder) {
        if (NIO::DeleteFileAt(m_path.Text()) != NResult::kOk)
            return;
        bool allSaved = true;
        for (const auto& spec : m_specs)
            allSaved = spec->Save(folder) == NResult::kOk && allSaved;
        if (!allSaved)
            NIO::WriteBufferToFile(m_path.Text(), m_bytes);
    }

private:
    static const NXML::CElement* NextFileElement(const NXML::CElement& file) {
        for (const NXML::CElement* next = file.NextSiblingElement(); next != nullptr;
             next = next->NextSiblingElement())
            if (IsNamed(next, "file"))
                return next;
        return nullptr;
    }

    NString::TStr<char16_t> m_path;
    NIO::TBuffer<0> m_bytes;
    bool m_isGroup = false;
    std::vector<std::unique_ptr<CFileSpec>> m_specs;
};

} // namespace

CFileSpec* CFormatList::FirstSpec() const {
    return static_cast<CFileSpec*>(FirstChild());
}

CFileSpec* CFormatList::NextSpec(const CFileSpec* spec) {
    return static_cast<CFileSpec*>(spec->NextSibling());
}

void CFormatList::LoadFrom(const char16_t* folder) {
    m_folder = folder;
    const int length = m_folder.Length();
    if (length > 0 && m_folder.Text()[length - 1] != u'/')
        m_folder.Append(u"/");
    ExpandGroupFiles();
    std::vector<SSpecFileProblem> problems;
    for (NString::TStr<char16_t>& path : SpecFilesIn(m_folder.Text())) {
        ESpecFileError error = ESpecFileError::None;
        if (CFileSpec* spec = LoadSpecFile(path.Text(), error))
            AddChild(spec);
        else
            problems.push_back({std::move(path), error});
    }
    ReportSpecFileProblems(problems);
}

int CFormatList::LoadFormats() {
    const NString::TStr<char16_t> folder = FormatsFolder();
    if (folder.IsEmpty())
        return 0;
    InstallShippedFormats(ShippedFormatsFolder().Text(), folder.Text());
    LoadFrom(folder.Text());
    return NResult::kOk;
}

void CFormatList::ExpandGroupFiles() {
    for (const NString::TStr<char16_t>& path : SpecFilesIn(m_folder.Text())) {
        CGroupFile group(path.Text());
        if (group.IsGroup())
            group.Expand(m_folder.Text());
    }
}

bool CFormatList::SaveAll(std::vector<NString::TStr<char16_t>>* failed) {
    bool written = false;
    for (CFileSpec* spec = FirstSpec(); spec != nullptr; spec = NextSpec(spec)) {
        const int result = spec->Save(m_folder.Text());
        written = result == NResult::kOk || written;
        if (result != NResult::kOk && result != 0 && failed != nullptr) {
            NString::TStr<char16_t> path(m_folder);
            path.Append(spec->SavedFileName().Text());
            failed->push_back(std::move(path));
        }
    }
    return written;
}

CFileSpec* CFormatList::GetOrCreateSpec(const char* name) {
    for (CFileSpec* spec = FirstSpec(); spec != nullptr; spec = NextSpec(spec))
        if (NString::Compare(spec->name.Text(), name) == 0)
            return spec;
    auto* spec = new CFileSpec;
    spec->name = name;
    AddChild(spec);
    return spec;
}

NString::TStr<char> CFormatList::FreeSpecName(const char* wanted) const {
    NString::TStr<char> name(wanted);
    for (int number = 2; !IsFreeSpecName(name.Text()); ++number)
        NString::Format(name, "{0s}-{1d}", wanted, number);
    return name;
}

bool CFormatList::IsFreeSpecName(const char* name) const {
    const NString::TStr<char16_t> fileName = SpecFileName(name);
    for (const CFileSpec* spec = FirstSpec(); spec != nullptr; spec = NextSpec(spec))
        if (NString::Compare(SpecFileName(spec->name.Text()).Text(), fileName.Text()) == 0)
            return false;
    NString::TStr<char16_t> path(m_folder);
    path.Append(fileName.Text());
    return !NIO::FileExists(path.Text()) && !NIO::IsFolder(path.Text());
}

CFormatList::ENameCheck CFormatList::CheckNewName(const CFileSpec& spec, const char* name) const {
    const NString::TStr<char16_t> fileName = SpecFileName(name);
    if (NString::Compare(fileName.Text(), kSpecFileExtension) == 0)
        return ENameCheck::NoFileName;
    const auto sameFile = [&fileName](const char16_t* other) {
        return NString::Compare(other, fileName.Text()) == 0;
    };
    for (const CFileSpec* other = FirstSpec(); other != nullptr; other = NextSpec(other))
        if (other != &spec &&
            (sameFile(other->SavedFileName().Text()) || sameFile(other->fileName.Text())))
            return ENameCheck::Taken;
    if (sameFile(spec.fileName.Text()))
        return ENameCheck::Free;
    NString::TStr<char16_t> path(m_folder);
    path.Append(fileName.Text());
    return NIO::FileExists(path.Text()) || NIO::IsFolder(path.Text()) ? ENameCheck::Taken
                                                                      : ENameCheck::Free;
}

CFileSpec* CFormatList::FindInUse() const {
    for (CFileSpec* spec = FirstSpec(); spec != nullptr; spec = NextSpec(spec))
        if (CFileSpec* found = spec->FindInUse())
            return found;
    return nullptr;
}

void CFormatList::CopyFrom(const CFormatList& other) {
    if (&other == this)
        return;
    DeleteChildren();
    for (const CFileSpec* spec = other.FirstSpec(); spec != nullptr; spec = NextSpec(spec))
        AddChild(spec->Clone());
    m_folder = other.m_folder;
}
