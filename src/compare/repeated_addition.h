#pragma once

class CDataNode;

// After the children of `parent` were matched in order: an element or
// comment that the left added at one place and the right added, with the
// same subtree, at another (each on its own, or each by moving the same node
// there) stands in two match-tree nodes, one per side. Picked as one-sided
// additions, it would be written twice where no input holds it twice, and
// which place is right only the user can tell: both nodes are marked
// CDataNode::addedApart. Without a base every node of one side alone counts
// as its addition, so a two-way merge of moved siblings is no exception.
void MarkAdditionsMadeApart(CDataNode& parent);
