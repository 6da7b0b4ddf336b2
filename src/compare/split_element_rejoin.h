#pragma once

#include "compare/match_context.h"

class CDataNode;
class CMatchRules;

// After the children of `parent` were matched in order in a three-way
// operation: an element that a rule identifies and that the order could not
// pair (it moved, or the tie rules passed it by) stands in several
// match-tree nodes, each holding it on one side alone. Left apart, the merge
// would drop it at one place and insert it at another, or write it twice;
// joined in one node, at the left's place when the left has it, else at the
// right's, its changes are weighed against each other. Only elements whose
// identity no side holds twice among these siblings are joined.
void RejoinSplitElements(CDataNode& parent, const SMatchContext& context, CMatchRules& rules);
