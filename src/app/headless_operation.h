#pragma once

#include "compare/data_node.h"
#include "compare/match_context.h"
#include "merge/merge_model.h"
#include "merge/report.h"
#include "text/str.h"
#include "xml/doc.h"

#include <array>
#include <cstdint>

class CFormatList;

// One operation of a run without a window: the input files, their match and
// the merge model built from it.
class CHeadlessOperation {
public:
    struct SInput {
        NXML::CDoc doc;
        NString::TStr<char16_t> path;
        NString::TStr<char16_t> title;

        // The title, or else the path; of either only what follows the last
        // "/" or "\".
        const char16_t* DisplayName() const;
    };

    // Loads the inputs in side order, chooses the format specification and
    // builds the match and the model. False, after the failing step's message,
    // when a file cannot be used or no specification applies.
    bool Load(CFormatList& formats, bool threeWay, bool merge);

    // The size in bytes of the largest input file.
    std::uint64_t LargestInputSize() const;
    // The files as the report names them, indexed by side.
    std::array<SReportFile, 3> ReportFiles() const;

    // Indexed by side: base, left, right.
    std::array<SInput, 3> inputs;
    SMatchContext context;
    CDocNode matchRoot;
    CMergeModel model;
};
