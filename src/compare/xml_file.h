#pragma once

#include "framework/str.h"
#include "xml/doc.h"

// One input file of an operation: the document, where it came from and how
// it is titled.
class CXMLFile : public NXML::CDoc {
public:
    // Names the file to load; a path waiting from the Open dialog is dropped.
    void SetPath(const char16_t* newPath);
    // A path chosen in the Open dialog, loaded in place of the path next time.
    void SetPendingPath(const char16_t* newPath) { pendingPath = newPath; }
    void ClearPendingPath() { pendingPath.Clear(); }
    void SetTitle(const char16_t* newTitle) { title = newTitle; }

    // The title, or else the path; of either only what follows the last "/"
    // or "\".
    const char16_t* DisplayName() const;

    NString::TStr<char16_t> pendingPath;
    NString::TStr<char16_t> path;
    NString::TStr<char16_t> title;
};
