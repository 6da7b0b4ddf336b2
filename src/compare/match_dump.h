#pragma once

#include "compare/match_context.h"

#include <string>

class CDataNode;

// A readable picture of the match tree below `root`, for tests and for
// debugging: one line per node, indented two spaces a level, with the node,
// the sides that hold it in column order ("L B R", "-" for a missing one) and
// how it is classified. An element's attributes come before its children:
//   <list> [L B R] same
//     @id="7" [L B R] same
//     <item> [L - R] open
//     "text" [L B R] pick right
std::string DumpMatchTree(const CDataNode& root, const SMatchContext& context);
