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

// After the whole match tree below `root` was built in a three-way
// operation: a subtree that both sides took away from where the base has it
// and each put somewhere else, perhaps under different parents, stands in
// one match-tree node of the base alone and one of each side alone. Picked
// as they stand, the move is written twice. Where one side's node equals the
// base's and the other's has its tag (moved unchanged by one side, perhaps
// changed on the way by the other), both sides' nodes are marked
// CDataNode::addedApart. An equal subtree each side merely added under a
// different parent is no move and stays as it is.
void MarkMovesMadeApart(const CDataNode& root);
