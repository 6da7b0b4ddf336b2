#pragma once

#include "compare/match_context.h"

class CDataNode;

// After the children of `parent` were matched in order in a three-way
// operation: an element or comment that the left added at one place and the
// right added, with the same subtree, at another (each on its own, or each by
// moving the same node there) stands in two match-tree nodes, one per side.
// Picked as one-sided additions, it would be written twice where no input
// holds it twice, and which place is right only the user can tell: both
// nodes are marked CDataNode::addedApart.
void MarkAdditionsMadeApart(CDataNode& parent, const SMatchContext& context);
