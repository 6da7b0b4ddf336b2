#pragma once

#include "framework/node.h"
#include "framework/str.h"

#include <vector>

class CFileSpec;

// The library of format specifications: every specification of the Formats
// folder, as children in the order their files are listed there. It owns
// them, and it writes back every one that has changed.
class CFormatList : public NPtr::CNode {
public:
    CFormatList() = default;

    // Reads the library from `folder` (UTF-16; with or without a final
    // separator). Start-up uses LoadFormats instead.
    void LoadFrom(const char16_t* folder);

    // Start-up: finds the Formats folder, fills an empty one with the
    // specifications shipped beside the program, splits group files and
    // reads every specification file. Files that do not load are skipped.
    // NResult::kOk, or 0 when the folder's location cannot be determined.
    int LoadFormats();

    // Replaces every group file of the folder (a "group" element holding
    // "file" elements) by one file per specification it holds.
    void ExpandGroupFiles();

    // Saves every modified specification into the folder; true when any was
    // written. The paths of the files that could not be written are added
    // to `failed` when given.
    bool SaveAll(std::vector<NString::TStr<char16_t>>* failed = nullptr);

    // The specification named `name` exactly; a new, empty one with that
    // name, appended, when there is none.
    CFileSpec* GetOrCreateSpec(const char* name);

    // A name for a new specification that takes no other's file: `wanted`,
    // else `wanted-2`, `wanted-3` and so on, the first whose file name is
    // neither that of a specification of the library nor a file of the
    // folder (which may hold files that did not load).
    NString::TStr<char> FreeSpecName(const char* wanted) const;

    // Whether `spec`, a specification of the library, may be renamed `name`:
    // the name must leave characters for a file name, and that file name must
    // be neither another specification's (by its name or by the file it was
    // read from) nor that of another file of the folder, which would be
    // overwritten.
    enum class ENameCheck { Free, NoFileName, Taken };
    ENameCheck CheckNewName(const CFileSpec& spec, const char* name) const;

    // The specification in use by the current operation, or null.
    CFileSpec* FindInUse() const;

    // Replaces the specifications by deep copies of those of `other`, in
    // order, flags included: how the preferences take a copy and put it back.
    void CopyFrom(const CFormatList& other);

    CFileSpec* FirstSpec() const;
    static CFileSpec* NextSpec(const CFileSpec* spec);

    // The folder specifications are read from and saved to, ending in a
    // separator; empty until the library has been loaded.
    const char16_t* Folder() const { return m_folder.Text(); }

private:
    bool IsFreeSpecName(const char* name) const;

    NString::TStr<char16_t> m_folder;
};
