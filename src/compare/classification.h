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
// merge. Nodes are equal by NXML::IsEqual, which for elements compares the
// tag only. A three-way merge where the base lacks a node that left and
// right added alike takes the left one, as it does wherever the sides agree.
SClassification Classify(const SMatchContext& context, const NXML::CNode* base,
                         const NXML::CNode* left, const NXML::CNode* right);
