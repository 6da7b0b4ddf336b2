#include "xml/subtree_hash.h"

#include "xml/attribute.h"
#include "xml/content.h"
#include "xml/element.h"
#include "xml/equality.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace NXML {

namespace {

// The finaliser of splitmix64: every input bit reaches every output bit.
std::uint64_t Mix(std::uint64_t value) {
    value ^= value >> 30;
    value *= 0xBF58476D1CE4E5B9ULL;
    value ^= value >> 27;
    value *= 0x94D049BB133111EBULL;
    return value ^ (value >> 31);
}

// Order matters: combining a then b differs from b then a.
std::uint64_t Combine(std::uint64_t seed, std::uint64_t value) {
    return Mix(seed + 0x9E3779B97F4A7C15ULL + value);
}

std::uint64_t HashText(const NString::TStr<char>& text) {
    return std::hash<std::string_view>{}(std::string_view(text.Text()));
}

// The attributes of an element, in any order: a sum is the same whatever
// order its terms come in.
std::uint64_t AttributeSetHash(const CElement& element) {
    std::uint64_t sum = 0;
    for (const CAttribute* attribute = element.FirstAttribute(); attribute != nullptr;
         attribute = attribute->NextAttribute())
        sum += Combine(HashText(attribute->name), HashText(attribute->text));
    return sum;
}

// What belongs to the node itself. Coarser than NXML::IsEqual for some
// declaration kinds, which is allowed: equal nodes must hash alike, unequal
// ones need not differ.
std::uint64_t OwnHash(const CNode& node) {
    std::uint64_t hash =
        Combine(Mix(static_cast<std::uint64_t>(node.GetType())), HashText(node.text));
    switch (node.GetType()) {
    case kTypeAttribute:
        return Combine(hash, HashText(static_cast<const CAttribute&>(node).name));
    case kTypeElement: {
        const auto& element = static_cast<const CElement&>(node);
        return Combine(Combine(hash, HashText(element.namespaceUri)), AttributeSetHash(element));
    }
    default:
        return hash;
    }
}

std::uint32_t Folded(std::uint64_t hash) {
    const auto folded = static_cast<std::uint32_t>(hash ^ (hash >> 32));
    return folded == 0 ? 1 : folded;
}

// One subtree under way: the hash so far and the next child to add.
struct SHashFrame {
    const CNode* node;
    std::uint64_t hash;
    const CNode* nextChild;
};

using CAttributeTexts = std::vector<std::pair<std::string_view, std::string_view>>;

CAttributeTexts SortedAttributes(const CElement& element) {
    CAttributeTexts texts;
    for (const CAttribute* attribute = element.FirstAttribute(); attribute != nullptr;
         attribute = attribute->NextAttribute())
        texts.emplace_back(attribute->name.Text(), attribute->text.Text());
    std::sort(texts.begin(), texts.end());
    return texts;
}

bool SameText(const NString::TStr<char>& a, const NString::TStr<char>& b) {
    return std::strcmp(a.Text(), b.Text()) == 0;
}

// Attributes by name and value in any order. Nearly always both lists hold
// them in the same order, which a walk of both settles without sorting.
bool SameAttributeSet(const CElement& a, const CElement& b) {
    const CAttribute* attributeA = a.FirstAttribute();
    const CAttribute* attributeB = b.FirstAttribute();
    while (attributeA != nullptr && attributeB != nullptr &&
           SameText(attributeA->name, attributeB->name) &&
           SameText(attributeA->text, attributeB->text)) {
        attributeA = attributeA->NextAttribute();
        attributeB = attributeB->NextAttribute();
    }
    if (attributeA == nullptr && attributeB == nullptr)
        return true;
    return SortedAttributes(a) == SortedAttributes(b);
}

// Compares pairs of nodes without recursing.
class CSubtreeComparison {
public:
    bool Run(const CNode& a, const CNode& b) {
        m_pending.emplace_back(&a, &b);
        while (!m_pending.empty()) {
            const auto [nodeA, nodeB] = m_pending.back();
            m_pending.pop_back();
            if (SubtreeHash(*nodeA) != SubtreeHash(*nodeB) || !IsOwnPartEqual(*nodeA, *nodeB) ||
                !PairChildren(*nodeA, *nodeB))
                return false;
        }
        return true;
    }

private:
    // Queues the counted children pairwise; false when their numbers differ.
    bool PairChildren(const CNode& a, const CNode& b) {
        return ForEachChildPair(a, b, [this](const CNode& childA, const CNode& childB) {
            m_pending.emplace_back(&childA, &childB);
            return true;
        });
    }

    std::vector<std::pair<const CNode*, const CNode*>> m_pending;
};

} // namespace

std::uint32_t SubtreeHash(const CNode& node) {
    if (node.subtreeHash != 0)
        return node.subtreeHash;
    std::vector<SHashFrame> open{{&node, OwnHash(node), SkipWhitespaceContent(node.FirstChild())}};
    for (;;) {
        SHashFrame& top = open.back();
        const CNode* child = top.nextChild;
        if (child == nullptr) {
            const std::uint32_t hash = Folded(top.hash);
            top.node->subtreeHash = hash;
            open.pop_back();
            if (open.empty())
                return hash;
            open.back().hash = Combine(open.back().hash, hash);
            continue;
        }
        top.nextChild = SkipWhitespaceContent(child->NextSibling());
        if (child->subtreeHash != 0)
            top.hash = Combine(top.hash, child->subtreeHash);
        else
            open.push_back({child, OwnHash(*child), SkipWhitespaceContent(child->FirstChild())});
    }
}

bool IsOwnPartEqual(const CNode& a, const CNode& b) {
    if (!IsEqual(a, b))
        return false;
    return a.GetType() != kTypeElement ||
           SameAttributeSet(static_cast<const CElement&>(a), static_cast<const CElement&>(b));
}

bool IsSubtreeEqual(const CNode& a, const CNode& b) {
    if (&a == &b)
        return true;
    return CSubtreeComparison().Run(a, b);
}

} // namespace NXML
