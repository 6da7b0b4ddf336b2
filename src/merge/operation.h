#pragma once

#include "compare/data_node.h"
#include "compare/side_order.h"
#include "compare/xml_file.h"
#include "merge/merge_model.h"

#include <array>
#include <cstdint>

class CFileSpec;
class CFormatList;
namespace NSettings {
class CFlags;
class CRecentFiles;
} // namespace NSettings

// Everything one comparison or merge works on: its input files, the sides
// in use, the format specification chosen for it, the match tree and the
// merge model built from it. The program keeps one for the whole run; tests
// make their own.
class COperation {
public:
    // `recentFiles` (optional) learns the files chosen in the Open dialog.
    COperation(NSettings::CFlags& flags, CFormatList& formats,
               NSettings::CRecentFiles* recentFiles = nullptr)
        : flags(flags), formats(formats), recentFiles(recentFiles) {}
    COperation(const COperation&) = delete;
    COperation& operator=(const COperation&) = delete;
    ~COperation() { ForgetSpec(); }

    // What the match and the model are built with: the side order, merge or
    // compare as the flags say, and the current specification.
    SMatchContext Context() const;

    // Throws the match tree and the model away; the files stay as they are.
    void Discard();
    // The size in bytes of the largest input file of the sides in use.
    std::uint64_t LargestInputSize() const;

    // Makes `spec` current and marks it in use (null: none is current).
    void UseSpec(CFileSpec* spec);
    void ForgetSpec() { UseSpec(nullptr); }
    // Puts copies of the specifications of `edited` in place of the
    // library's. The copy of the one in use becomes current, for the model
    // too, so that nothing refers to the records that went.
    void ReplaceFormats(const CFormatList& edited);

    NSettings::CFlags& flags;
    CFormatList& formats;
    NSettings::CRecentFiles* recentFiles;
    // Indexed by side: base, left, right.
    std::array<CXMLFile, 3> files;
    CSideOrder order;
    CFileSpec* spec = nullptr;
    CDocNode matchRoot;
    CMergeModel model;
};
