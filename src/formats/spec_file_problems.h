#pragma once

#include "formats/file_spec.h"
#include "framework/str.h"

#include <span>

// A specification file of the Formats folder that did not load, and why.
struct SSpecFileProblem {
    NString::TStr<char16_t> path;
    ESpecFileError error = ESpecFileError::None;
};

// Tells the user in one warning which specification files were left out and
// why, so that a damaged file does not silently change which specification
// applies. Nothing when there are none.
void ReportSpecFileProblems(std::span<const SSpecFileProblem> problems);
