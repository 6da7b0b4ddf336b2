#pragma once

#include "compare/match_algorithms.h"

// The oracle for the indexed matching: matching done the plain way, every
// sibling distance a walk along the sibling list, every join a walk over
// the parent's match-tree children, and unordered siblings placed by
// looking each one up and inserting it into a plain list. Quadratic, and
// obviously right. It asks
// the same questions (NodesCorrespond, the join tests and with them
// IdentifyEqual, which says how an element without its identifying text or
// child matches), so what it checks is that the keys and indexes of the real
// matching find exactly what those questions answer. Elements that the
// format specification cannot tell apart are paired by the same
// CSiblingPairing, but with the anchors found by their definition (every
// node compared with every other, the longest chain by trying every
// predecessor) instead of through subtree hashes and patience sorting.
const SMatchAlgorithms& ReferenceMatchAlgorithms();
