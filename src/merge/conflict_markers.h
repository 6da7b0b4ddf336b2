#pragma once

#include <array>
#include <string>

class CMergedTextWithGaps;

// How unresolved differences are marked in a merged result written anyway.
struct SConflictMarkers {
    static constexpr int kDefaultSize = 7;
    static constexpr int kSmallestSize = 1;
    static constexpr int kLargestSize = 100;

    // What follows each side's marker (UTF-8, one line), indexed by side:
    // base, left, right; empty for none.
    std::array<std::string, 3> labels;
    // The length of each marker's run of characters.
    int size = kDefaultSize;
};

// The text of `merged` with each gap filled by a conflict in the form line
// merges use for three files:
//
//   <<<<<<< left label
//   the left version of the lines
//   ||||||| base label
//   the base version
//   =======
//   the right version
//   >>>>>>> right label
//
// The marked lines are the fewest whole lines that hold the gap's nodes: a
// version is the merged text of those lines with that side's own text in
// each gap. Gaps that share a line are marked together. Marker lines end as
// the text's first line does.
std::string MarkConflicts(const CMergedTextWithGaps& merged, const SConflictMarkers& markers);
