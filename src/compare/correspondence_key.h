#pragma once

#include <cstdint>

namespace NXML {
class CNode;
}

class CMatchRules;

// A hash of what decides whether two nodes match, so that candidates can be
// found by hash lookup instead of by walking sibling lists. Nodes that match
// always have equal keys; equal keys are confirmed with the real test, so a
// hash collision never joins anything.
using TMatchKey = std::uint64_t;

// For NodesCorrespond: kind; elements by name and identity under their rule;
// comments, character data and XML declarations by kind alone; anything else
// by text.
TMatchKey CorrespondenceKey(CMatchRules& rules, const NXML::CNode& node);

// For the joins of unordered children and declarations: elements by name,
// namespace and identity; anything else by kind and text.
TMatchKey JoinKey(CMatchRules& rules, const NXML::CNode& node);
