#pragma once

#include "compare/side_order.h"

#include <array>
#include <cstddef>
#include <vector>

class CDataNode;

// The match-tree children of a parent whose children are joined by identity,
// not position (a "Random" element, a document type's declarations), with
// the order in which every side holds them.
struct SUnorderedSiblings {
    // In the order they were made.
    std::vector<CDataNode*> matches;
    // Per side index: positions in `matches`, in that side's document order.
    std::array<std::vector<std::size_t>, 3> sides;
};

// Puts the match-tree children of `parent` (`siblings.matches`) in the
// order they are shown and written. The order comes from the left, or from
// the right when only the right moved siblings against the base. A sibling
// the ordering side lacks follows the sibling that precedes it on the first
// side in `order` that holds it (it comes first when nothing does), and
// also the siblings right after that one which this side holds before it
// or lacks while an earlier side in `order` holds them: one side's
// insertion stays where it was made, and where both inserted at one place
// the left's come first. Near-linear in the number of siblings.
void PlaceUnorderedSiblings(CDataNode& parent, const SUnorderedSiblings& siblings,
                            const CSideOrder& order);
