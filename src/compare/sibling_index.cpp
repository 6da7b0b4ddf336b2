#include "compare/sibling_index.h"

#include "compare/correspondence.h"
#include "compare/sibling_pairing.h"
#include "xml/node.h"

#include <algorithm>

namespace {

// Below this many children a walk is cheaper than keeping an index.
constexpr std::size_t kShortestIndexedList = 32;

} // namespace

CSiblingIndex::CSiblingIndex(CMatchRules& rules, const CSiblingPairing& pairing,
                             const NXML::CNode* parent)
    : m_pairing(pairing) {
    for (const NXML::CNode* child = parent != nullptr ? parent->FirstChild() : nullptr;
         child != nullptr; child = child->NextSibling()) {
        m_nodes.push_back(child);
        m_keys.push_back(pairing.PairedKey(*child, CorrespondenceKey(rules, *child)));
    }
    if (m_nodes.size() < kShortestIndexedList)
        return;
    m_index.reserve(m_nodes.size());
    for (std::size_t position = 0; position < m_nodes.size(); ++position)
        m_index.emplace_back(m_keys[position], static_cast<std::uint32_t>(position));
    std::sort(m_index.begin(), m_index.end());
}

std::size_t CSiblingIndex::FindCorresponding(CMatchRules& rules, const NXML::CNode& node,
                                             TMatchKey key, std::size_t from) const {
    if (m_index.empty()) {
        for (std::size_t position = from; position < m_nodes.size(); ++position)
            if (m_keys[position] == key && NodesCorrespond(rules, m_pairing, node, *m_nodes[position]))
                return position;
        return kNotFound;
    }
    auto entry = std::lower_bound(m_index.begin(), m_index.end(),
                                  std::make_pair(key, static_cast<std::uint32_t>(from)));
    for (; entry != m_index.end() && entry->first == key; ++entry)
        if (NodesCorrespond(rules, m_pairing, node, *m_nodes[entry->second]))
            return entry->second;
    return kNotFound;
}
