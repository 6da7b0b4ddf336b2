#pragma once

#include "compare/match_algorithms.h"

// Matching exactly as described, without indexes: every sibling distance is
// a walk along the sibling list and every join a walk over the parent's
// match-tree children.
const SMatchAlgorithms& SimpleMatchAlgorithms();
