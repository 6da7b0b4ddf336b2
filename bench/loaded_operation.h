#pragma once

#include "compare/data_node.h"
#include "compare/match_context.h"
#include "formats/file_spec.h"
#include "merge/merge_model.h"
#include "xml/doc.h"

#include <filesystem>
#include <memory>

namespace NBench {

// The resident set of this process now, in kilobytes.
long ResidentKilobytes();

// A generated operation (a folder written by `match_once generate`) loaded,
// matched and built into a merge model, with the time and memory each step
// took.
class CLoadedOperation {
public:
    struct SStep {
        double seconds = 0;
        // Growth of the resident set during the step.
        long kilobytes = 0;
    };

    CLoadedOperation() = default;
    CLoadedOperation(const CLoadedOperation&) = delete;
    CLoadedOperation& operator=(const CLoadedOperation&) = delete;

    // False when the folder's files cannot be read.
    bool Load(const std::filesystem::path& folder, bool threeWay, bool merge);

    SStep load, match, blocks;
    SMatchContext context;
    std::unique_ptr<CFileSpec> spec;
    NXML::CDoc base, left, right;
    CDocNode root;
    CMergeModel model;
};

} // namespace NBench
