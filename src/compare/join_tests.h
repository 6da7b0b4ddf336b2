#pragma once

namespace NXML {
class CNode;
}

class CMatchRules;

// Whether `node`, a child on a later side, joins the match-tree node that
// holds `earlier` on an earlier side.
using FJoinTest = bool (*)(CMatchRules& rules, const NXML::CNode& earlier, const NXML::CNode& node);

// Children of "Random" elements: elements of the same name and namespace
// that their rule identifies as the same.
bool SameElement(CMatchRules& rules, const NXML::CNode& earlier, const NXML::CNode& node);
// Comments of "Random" elements: byte-equal text.
bool SameComment(CMatchRules& rules, const NXML::CNode& earlier, const NXML::CNode& node);
// Declarations of a document type: same kind and name.
bool SameDeclaration(CMatchRules& rules, const NXML::CNode& earlier, const NXML::CNode& node);

// The test that joins a child of an unordered element, or null for a child
// that is skipped (whitespace).
FJoinTest UnorderedJoinTest(const NXML::CNode& child);
// The same for the children of a document type declaration.
FJoinTest DeclarationJoinTest(const NXML::CNode& child);
