#pragma once

#include "compare/match_context.h"

namespace NXML {
class CNode;
}

// How the merge model shows one position of the combined document: one block
// for all sides when they agree, else a difference (a selector) that is
// either preselected to a side or left open.
struct SClassification {
    enum class EKind { Same, Pick, Open };
    EKind kind = EKind::Same;
    // The preselected side for Pick, kSideNone otherwise.
    int side = kSideNone;

    bool operator==(const SClassification&) const = default;
};

// Classifies the nodes a match-tree node holds on each side (null where a
// side has none) for the operation's mode: three-way or two-way, compare or
// merge.
//
// Same needs the nodes themselves to be equal (NXML::IsEqual, which for an
// element compares the tag only): their children are classified on their
// own. A pick takes the picked side's whole subtree and drops the others,
// so it is made only when every dropped subtree holds no change of its own
// (NXML::IsSubtreeEqual: attributes, texts and descendants too):
// - one side changed or deleted the node: picked when the other side's
//   subtree is the base's, else open (a deletion never silently beats a
//   change made anywhere below the node);
// - both changed the node, or both added it where the base has none: the
//   left is taken in a merge (a compare marks the base) when the two
//   subtrees are alike, else open;
// - both deleted it: the left (the base in a compare);
// - a two-way merge keeps a node that only one side has.
SClassification Classify(const SMatchContext& context, const NXML::CNode* base,
                         const NXML::CNode* left, const NXML::CNode* right);

// Whether every side of the operation holds a node in `match` and each equals
// the first side's by `equal` (NXML::IsEqual, NXML::IsSubtreeEqual).
bool EverySideEqual(const SMatchContext& context, const class CDataNode& match,
                    bool (*equal)(const NXML::CNode&, const NXML::CNode&));

// Whether Classify gives Same: every side of the operation holds a node here
// and the nodes themselves are equal.
bool IsSame(const SMatchContext& context, const class CDataNode& match);

// The same for the nodes of a match-tree node, except that in a merge an
// addition the other side made apart (CDataNode::addedApart) stays open. A
// node whose sides' subtrees matching found equal (CDataNode::subtreesEqual)
// is Same without comparing them again (IsSame).
SClassification Classify(const SMatchContext& context, const class CDataNode& match);
