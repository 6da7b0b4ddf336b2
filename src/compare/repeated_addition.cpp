#include "compare/repeated_addition.h"

#include "compare/data_node.h"
#include "xml/element.h"
#include "xml/equality.h"
#include "xml/node.h"
#include "xml/subtree_hash.h"

#include <array>
#include <set>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace {

// Match-tree nodes by the subtree hash of their node on one side.
using CBySubtree = std::unordered_multimap<std::uint32_t, CDataNode*>;

bool IsElementOrComment(const NXML::CNode& node) {
    return node.GetType() == NXML::kTypeElement || node.GetType() == NXML::kTypeComment;
}

// The nodes that `parent`'s children hold on `side` alone: what that side
// added here, since a node both sides lack is not in the base either.
std::vector<CDataNode*> AddedBy(const CDataNode& parent, int side) {
    std::vector<CDataNode*> added;
    for (CDataNode* match = parent.FirstChildNode(); match != nullptr;
         match = match->NextSiblingNode()) {
        if (match->LoneSide() == side && IsElementOrComment(*match->NodeOf(side)))
            added.push_back(match);
    }
    return added;
}

// The match-tree nodes below `root` that begin a subtree one side holds
// alone, elements and comments only, by side.
std::array<std::vector<CDataNode*>, 3> OneSidedSubtrees(const CDataNode& root) {
    std::array<std::vector<CDataNode*>, 3> found;
    std::vector<const CDataNode*> pending{&root};
    while (!pending.empty()) {
        const CDataNode* node = pending.back();
        pending.pop_back();
        for (CDataNode* child = node->FirstChildNode(); child != nullptr;
             child = child->NextSiblingNode()) {
            const int side = child->LoneSide();
            if (side == kSideNone)
                pending.push_back(child);
            else if (IsElementOrComment(*child->NodeOf(side)))
                found[static_cast<std::size_t>(side)].push_back(child);
        }
    }
    return found;
}

CBySubtree BySubtree(const std::vector<CDataNode*>& matches, int side) {
    CBySubtree bySubtree;
    for (CDataNode* match : matches)
        bySubtree.emplace(NXML::SubtreeHash(*match->NodeOf(side)), match);
    return bySubtree;
}

// The nodes of `bySubtree` whose subtree on `side` equals `node`'s.
std::vector<CDataNode*> EqualTo(const CBySubtree& bySubtree, int side, const NXML::CNode& node) {
    std::vector<CDataNode*> equal;
    const auto [first, last] = bySubtree.equal_range(NXML::SubtreeHash(node));
    for (auto candidate = first; candidate != last; ++candidate)
        if (NXML::IsSubtreeEqual(node, *candidate->second->NodeOf(side)))
            equal.push_back(candidate->second);
    return equal;
}

// The first node of `bySubtree` whose subtree on `side` equals `node`'s;
// null when there is none.
const CDataNode* FirstEqual(const CBySubtree& bySubtree, int side, const NXML::CNode& node) {
    const auto [first, last] = bySubtree.equal_range(NXML::SubtreeHash(node));
    for (auto candidate = first; candidate != last; ++candidate)
        if (NXML::IsSubtreeEqual(node, *candidate->second->NodeOf(side)))
            return candidate->second;
    return nullptr;
}

// What besides its text tells a node's tag apart: an element's namespace.
std::string_view NamespaceOf(const NXML::CNode& node) {
    return node.GetType() == NXML::kTypeElement
               ? static_cast<const NXML::CElement&>(node).namespaceUri.Text()
               : "";
}

// Match-tree nodes by the name of their node on one side.
using CByName = std::unordered_multimap<std::string_view, CDataNode*>;

CByName ByName(const std::vector<CDataNode*>& matches, int side) {
    CByName byName;
    for (CDataNode* match : matches)
        byName.emplace(match->NodeOf(side)->text.Text(), match);
    return byName;
}

// The nodes of `byName` whose node on `side` has the tag of `node` (for a
// comment: its text), whatever lies below it.
std::vector<CDataNode*> SameTag(const CByName& byName, int side, const NXML::CNode& node) {
    std::vector<CDataNode*> same;
    const auto [first, last] = byName.equal_range(node.text.Text());
    for (auto candidate = first; candidate != last; ++candidate)
        if (NXML::IsEqual(node, *candidate->second->NodeOf(side)))
            same.push_back(candidate->second);
    return same;
}

// Marks each of the left's `added` together with the right's nodes of
// `right` that hold an equal subtree.
void MarkEqualPairs(const std::vector<CDataNode*>& added, const CBySubtree& right) {
    for (CDataNode* left : added)
        for (CDataNode* match : EqualTo(right, kSideRight, *left->NodeOf(kSideLeft))) {
            left->addedApart = true;
            match->addedApart = true;
        }
}

} // namespace

void MarkAdditionsMadeApart(CDataNode& parent) {
    const std::vector<CDataNode*> left = AddedBy(parent, kSideLeft);
    if (!left.empty())
        MarkEqualPairs(left, BySubtree(AddedBy(parent, kSideRight), kSideRight));
}

void MarkMovesMadeApart(const CDataNode& root) {
    const auto subtrees = OneSidedSubtrees(root);
    if (subtrees[kSideBase].empty() || subtrees[kSideLeft].empty() || subtrees[kSideRight].empty())
        return;
    const CBySubtree taken = BySubtree(subtrees[kSideBase], kSideBase);
    const std::array<CByName, 3> byName = {CByName{}, ByName(subtrees[kSideLeft], kSideLeft),
                                           ByName(subtrees[kSideRight], kSideRight)};
    // The other side's nodes of one tag need marking once, however many
    // moved nodes share that tag: a list sorted on both sides stays linear.
    std::set<std::tuple<int, std::string_view, std::string_view>> marked;
    for (const int side : {kSideLeft, kSideRight}) {
        const int other = kSideLeft + kSideRight - side;
        for (CDataNode* moved : subtrees[static_cast<std::size_t>(side)]) {
            const CDataNode* origin = FirstEqual(taken, kSideBase, *moved->NodeOf(side));
            if (origin == nullptr)
                continue;
            const NXML::CNode& tag = *origin->NodeOf(kSideBase);
            const std::vector<CDataNode*> elsewhere =
                SameTag(byName[static_cast<std::size_t>(other)], other, tag);
            if (elsewhere.empty())
                continue;
            moved->addedApart = true;
            if (marked.emplace(other, tag.text.Text(), NamespaceOf(tag)).second)
                for (CDataNode* match : elsewhere)
                    match->addedApart = true;
        }
    }
}
