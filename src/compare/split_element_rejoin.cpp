#include "compare/split_element_rejoin.h"

#include "compare/correspondence.h"
#include "compare/correspondence_key.h"
#include "compare/data_node.h"
#include "compare/match_rules.h"
#include "formats/element_spec.h"
#include "xml/element.h"

#include <array>
#include <unordered_map>
#include <vector>

namespace {

// The match-tree nodes holding an element of one identity on one side
// alone, by side, and how many match-tree nodes hold such an element at all.
struct SIdentityGroup {
    std::array<CDataNode*, 3> lone{};
    int matches = 0;
    // Some side holds the identity twice, or a node holds it on two sides
    // already: the order paired what it could, and that stays.
    bool settled = false;
};

bool IsIdentified(CMatchRules& rules, const NXML::CNode& node) {
    if (node.GetType() != NXML::kTypeElement)
        return false;
    const CElementSpec* rule = rules.FindElementSpec(static_cast<const NXML::CElement&>(node));
    return rule != nullptr && rule->FirstChild() != nullptr;
}

void Note(SIdentityGroup& group, CDataNode& match) {
    ++group.matches;
    const int side = match.LoneSide();
    CDataNode*& slot = group.lone[static_cast<std::size_t>(side == kSideNone ? 0 : side)];
    if (side == kSideNone || slot != nullptr)
        group.settled = true;
    else
        slot = &match;
}

// The node the group is joined into: the left's, else the right's.
CDataNode* JoinTarget(const SIdentityGroup& group) {
    return group.lone[kSideLeft] != nullptr ? group.lone[kSideLeft] : group.lone[kSideRight];
}

// Joins the group's lone nodes into `target` when each corresponds to its
// element; equal keys may be a collision, and the real test decides.
void Join(CDataNode& parent, CMatchRules& rules, SIdentityGroup& group, CDataNode& target) {
    const NXML::CNode& element = *target.NodeOf(target.LoneSide());
    for (CDataNode* match : group.lone)
        if (match != nullptr && match != &target &&
            !NodesCorrespond(rules, element, *match->NodeOf(match->LoneSide())))
            return;
    for (CDataNode* match : group.lone) {
        if (match == nullptr || match == &target)
            continue;
        const int side = match->LoneSide();
        target.nodes[static_cast<std::size_t>(side)] = match->NodeOf(side);
        parent.RemoveChild(match);
        delete match;
    }
}

} // namespace

void RejoinSplitElements(CDataNode& parent, const SMatchContext& context, CMatchRules& rules) {
    if (!context.order.IsThreeWay())
        return;
    // Only an identity that some side alone holds can be rejoined: those are
    // few, and the others are only looked up among them.
    std::unordered_map<TMatchKey, SIdentityGroup> groups;
    const auto identified = [&](const CDataNode& match) {
        const NXML::CNode* node = match.NodeAt(kSideAll, context.order);
        return node != nullptr && IsIdentified(rules, *node) ? node : nullptr;
    };
    for (CDataNode* match = parent.FirstChildNode(); match != nullptr;
         match = match->NextSiblingNode())
        if (match->LoneSide() != kSideNone)
            if (const NXML::CNode* node = identified(*match))
                Note(groups[CorrespondenceKey(rules, *node)], *match);
    if (groups.empty())
        return;
    for (CDataNode* match = parent.FirstChildNode(); match != nullptr;
         match = match->NextSiblingNode()) {
        if (match->LoneSide() != kSideNone)
            continue;
        if (const NXML::CNode* node = identified(*match)) {
            const auto group = groups.find(CorrespondenceKey(rules, *node));
            if (group != groups.end())
                Note(group->second, *match);
        }
    }
    for (auto& [key, group] : groups) {
        CDataNode* target = JoinTarget(group);
        if (!group.settled && group.matches > 1 && target != nullptr)
            Join(parent, rules, group, *target);
    }
}
