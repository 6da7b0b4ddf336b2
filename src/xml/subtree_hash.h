#pragma once

#include <cstdint>

namespace NXML {

class CNode;

// Whole-subtree equality for deciding whether dropping one side's copy of a
// node can lose a change anywhere below it.
//
// A subtree covers everything that makes it mean something else: the node's
// kind, name, namespace and text, an element's attributes by name and value
// in any order, and every descendant in document order. Whitespace-only
// character data is left out, as matching leaves it out: indentation alone
// is no change. The whitespace inside tags, quote marks and namespace
// prefixes are not compared either (NXML::IsEqual's view of one node).
//
// Both functions walk without recursion, so any depth is safe.

// The subtree's hash, never 0. Computed once per node and cached in it
// (CNode::subtreeHash) together with the hashes of all its descendants, so
// asking again, or asking for a descendant, costs nothing: the tree must not
// change after its hashes were taken.
std::uint32_t SubtreeHash(const CNode& node);

// Whether two subtrees are equal as described above. Unequal hashes answer
// at once; equal hashes are confirmed by comparing the subtrees, so a
// collision never makes different subtrees equal.
bool IsSubtreeEqual(const CNode& a, const CNode& b);

// Whether the nodes themselves are equal as IsSubtreeEqual compares each pair
// it meets: NXML::IsEqual, and an element's attributes by name and value in
// any order. Their children are not compared.
bool IsOwnPartEqual(const CNode& a, const CNode& b);

} // namespace NXML
