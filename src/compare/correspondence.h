#pragma once

namespace NXML {
class CNode;
}

class CMatchRules;
class CSiblingPairing;

// Whether two sibling nodes stand for the same thing when children are
// matched in order: same kind; comments, character data and XML
// declarations always; elements by the rule that identifies them (by name
// without one); anything else by equal text.
bool NodesCorrespond(CMatchRules& rules, const NXML::CNode& a, const NXML::CNode& b);

// The same for children of one parent on two sides, where `pairing` (built
// for that parent) keeps apart the nodes it did not pair.
bool NodesCorrespond(CMatchRules& rules, const CSiblingPairing& pairing, const NXML::CNode& a,
                     const NXML::CNode& b);

// How far ahead of `b`, among `b` and its following siblings, the first node
// that corresponds to `a` stands; 0 when none does (or `b` itself does).
// 0x3FFFFFFF when `a` is null, 0 when `b` is.
int SiblingDistance(CMatchRules& rules, const CSiblingPairing& pairing, const NXML::CNode* a,
                    const NXML::CNode* b);

constexpr int kNoSiblingDistance = 0x3FFFFFFF;
