#pragma once

#include "compare/match_context.h"

class CDataNode;

// Matching shortcuts for subtrees that are the same on every side, which is
// what most of a large document is: such a subtree's children pair up by
// position, as any matching would pair them, without working out keys or
// asking the format specification.
//
// Equal subtree hashes pick the subtrees out; each node in them is then
// compared (NXML::IsOwnPartEqual) as matching reaches it, so the comparing is
// shared among the matching threads. A node that turns out to differ from
// the nodes it was paired with throws SSubtreeHashCollision, and the whole
// match is made again without the shortcuts.

// Takes the subtree hashes of the nodes `node` holds, one side per thread,
// so that matching finds them all made and the threads it shares out only
// read them.
void HashSides(const CDataNode& node, const SMatchContext& context);

// Thrown where the subtree hashes of nodes paired by position collided: the
// nodes differ, and the usual matching might have paired them otherwise.
struct SSubtreeHashCollision {};

// Whether every side of the operation holds a node here, the nodes
// themselves are equal, and their children pair up by position with equal
// subtree hashes. Kept in CDataNode::subtreesEqual. Throws
// SSubtreeHashCollision when the answer is no for a node that
// PairEqualChildren made.
bool HoldsEqualSubtrees(CDataNode& node, const SMatchContext& context);

// In a match for a report only (SMatchContext::reportOnly): whether nothing
// below `node` needs matching, as it and its ancestors show every side alike
// (kept in CDataNode::outsideDifferences) and its subtree is the same on
// every side (then marked subtreesEqual). That is compared in full here,
// since no node below is matched to reveal a collision of the hashes.
bool IsLeftOutOfReport(CDataNode& node, const SMatchContext& context);

// Appends to `parent`, which HoldsEqualSubtrees, a match-tree node for each
// child of its sides in turn (whitespace-only character data left out, as
// matching leaves it out) holding that child of every side.
void PairEqualChildren(CDataNode& parent, const SMatchContext& context);
