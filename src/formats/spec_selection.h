#pragma once

#include "framework/str.h"

#include <span>

namespace NXML {
class CDoc;
class CElement;
} // namespace NXML

class CFileSpec;
class CFormatList;

// Choosing the one format specification that applies to all input files of
// an operation, and creating one when none does. `owner` is the window the
// questions belong to (see NPrompts); without one, a choice among several
// specifications is not asked for.

// One loaded input file.
struct SInputFile {
    const NXML::CDoc* document = nullptr;
    // The full path (UTF-16): shown in messages, and its file name picks
    // among specifications by their wildcards.
    const char16_t* path = u"";
    // The title the file was given (UTF-16), empty for none. Its file name
    // is matched against wildcards as well: tools such as git hand over
    // temporary files and name the real path only in the title.
    const char16_t* title = u"";
};

// The input files of an operation in side order: the left file first, then
// the base and the right file in a three-way operation, or the right file in
// a two-way one.
struct SOperationFiles {
    std::span<const SInputFile> files;
    bool merge = false;
};

// The root element of a file: the first child element of its document.
const NXML::CElement* RootElementOf(const SInputFile& file);

// The part of `path` behind its last "/" or "\", in lower case (UTF-8).
NString::TStr<char> LowerCaseFileName(const char16_t* path);

// The specification for one file, among those whose root is the name of the
// file's root element: `preferred` when it is one of them; the only one;
// among those naming the namespace of the file's root element (all when
// none does), the only one or the first whose wildcards match the file name
// of the path or of the title; else, only with an owner, the one the user
// chooses, offered the candidate whose rules name the most of the file's
// element names. Null when none applies or the choice is cancelled.
CFileSpec* FindSpecForFile(CFormatList& library, const SInputFile& file, CFileSpec* preferred,
                           void* owner);

// Whether a new specification can be made for the operation: every file has
// a root element, all of the same name.
bool CanCreateNew(const SOperationFiles& operation);

// Tell the user that no specification applies to `file`, or that `x` and `y`
// have different ones. When a new specification can be made the user is
// asked whether to make it: true for Yes. Otherwise an error; false.
bool ReportMissing(void* owner, const SOperationFiles& operation, const SInputFile& file);
bool ReportMismatch(void* owner, const SOperationFiles& operation, const SInputFile& x,
                    const SInputFile& y);

// The specification for the whole operation: the left file's, when the other
// files agree with it; or a new one, made with the user's consent from what
// the documents hold and saved at once. The chosen specification learns the
// element and attribute names of the documents, and is saved when it did.
// Null (after telling the user) when there is none.
CFileSpec* FindSpecForOperation(CFormatList& library, const SOperationFiles& operation,
                                void* owner);
