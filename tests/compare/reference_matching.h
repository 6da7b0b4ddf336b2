#pragma once

#include "compare/match_algorithms.h"

// The oracle for the indexed matching: matching done the plain way, every
// sibling distance a walk along the sibling list and every join a walk over
// the parent's match-tree children. Quadratic, and obviously right.
const SMatchAlgorithms& ReferenceMatchAlgorithms();
