#pragma once

#include "compare/match_context.h"

#include <cstdint>

class CBlockBase;
class CDataNode;
class CDocNode;
class CMergeModel;

// Building the merge model from the match tree. None of these recurse, so
// documents of any depth are safe.

// Makes the block or blocks of `node` under `parent` for `side`: for one side
// (0, 1 or 2) the block of that side, a placeholder when the side lacks the
// node and `parent` is a selector, and nothing when it lacks it elsewhere;
// for kSideAll one block for every side where they agree, else a selector
// with one alternative per side, preselected as the classification says.
// The blocks of the node's subtree follow in both cases.
void BuildBlock(const CDataNode& node, CBlockBase& parent, int side, const SMatchContext& context);

// Parents with fewer children than this have their blocks built, and their
// merged text written, by one thread: starting others would cost more than
// they save.
constexpr std::uint32_t kChildrenWorthSharing = 4096;

// Builds the blocks of every child of `node` under `parent`, those of an
// element's attributes first (under `parent`'s attribute list). For one side
// nothing is built when `node` has no node on that side.
void BuildChildBlocks(const CDataNode& node, CBlockBase& parent, int side,
                      const SMatchContext& context);

// Rebuilds `model` from the match tree below `root`, built with `context`:
// the blocks, the difference list with no current difference, the line
// numbers, widths to be measured, and the text after the last node. In a
// merge, differences whose choices would leave a prefix undeclared stay open
// (OpenUndeclaredPrefixes).
void BuildModel(CMergeModel& model, const CDocNode& root, const SMatchContext& context);
