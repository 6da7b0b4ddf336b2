#include "compare/anchor_chain.h"

#include "xml/subtree_hash.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace {

// Nodes with equal subtrees: how often each list holds one, and where.
struct SEqualClass {
    const NXML::CNode* node;
    std::size_t count[2] = {0, 0};
    std::size_t position[2] = {0, 0};
};

class CEqualClasses {
public:
    void Add(const CNodeList& list, int which) {
        for (std::size_t position = 0; position < list.size(); ++position) {
            SEqualClass& equal = ClassOf(*list[position]);
            ++equal.count[which];
            equal.position[which] = position;
        }
    }

    // The anchors candidates, by their position in the first list.
    CIndexPairs UniqueInBoth() const {
        CIndexPairs unique;
        for (const auto& [hash, classes] : m_byHash)
            for (const SEqualClass& equal : classes)
                if (equal.count[0] == 1 && equal.count[1] == 1)
                    unique.emplace_back(equal.position[0], equal.position[1]);
        std::sort(unique.begin(), unique.end());
        return unique;
    }

private:
    // Equal hashes are confirmed: a collision makes a class of its own.
    SEqualClass& ClassOf(const NXML::CNode& node) {
        std::vector<SEqualClass>& classes = m_byHash[NXML::SubtreeHash(node)];
        for (SEqualClass& equal : classes)
            if (NXML::IsSubtreeEqual(*equal.node, node))
                return equal;
        return classes.emplace_back(SEqualClass{&node});
    }

    std::unordered_map<std::uint32_t, std::vector<SEqualClass>> m_byHash;
};

// The longest chain of `candidates` (sorted by first position) increasing in
// the second position: patience sorting, each pile's top the latest
// candidate of that chain length.
CIndexPairs LongestChain(const CIndexPairs& candidates) {
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::vector<std::size_t> tops;
    std::vector<std::size_t> previous(candidates.size(), kNone);
    for (std::size_t candidate = 0; candidate < candidates.size(); ++candidate) {
        const auto pile = std::lower_bound(
            tops.begin(), tops.end(), candidates[candidate].second,
            [&](std::size_t top, std::size_t value) { return candidates[top].second < value; });
        if (pile != tops.begin())
            previous[candidate] = *(pile - 1);
        if (pile == tops.end())
            tops.push_back(candidate);
        else
            *pile = candidate;
    }
    CIndexPairs chain;
    for (std::size_t at = tops.empty() ? kNone : tops.back(); at != kNone; at = previous[at])
        chain.push_back(candidates[at]);
    std::reverse(chain.begin(), chain.end());
    return chain;
}

} // namespace

CIndexPairs IndexedAnchorChain(const CNodeList& a, const CNodeList& b) {
    CEqualClasses classes;
    classes.Add(a, 0);
    classes.Add(b, 1);
    return LongestChain(classes.UniqueInBoth());
}
