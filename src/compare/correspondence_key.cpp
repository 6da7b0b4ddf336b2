#include "compare/correspondence_key.h"

#include "compare/match_rules.h"
#include "formats/element_spec.h"
#include "xml/content.h"
#include "xml/element.h"

#include <functional>
#include <string_view>

namespace {

// Accumulates a hash over a sequence of fields. Each field is mixed with its
// length, so that ("ab", "c") and ("a", "bc") differ.
class CKeyHasher {
public:
    explicit CKeyHasher(int type) { Add(static_cast<std::uint64_t>(type)); }

    void Add(std::string_view text) {
        Add(std::hash<std::string_view>{}(text));
        Add(text.size());
    }
    void Add(std::uint64_t value) {
        m_hash ^= value + 0x9E3779B97F4A7C15ull + (m_hash << 6) + (m_hash >> 2);
    }
    TMatchKey Key() const { return m_hash; }

private:
    std::uint64_t m_hash = 0xCBF29CE484222325ull;
};

// Adds what `rule` identifies `element` by, in the terms of IdentifyEqual: a
// missing identifying child is a part of its own, missing text is empty.
void AddIdentity(CKeyHasher& hasher, const CElementSpec& rule, const NXML::CElement& element) {
    for (const CSpecBase* part = rule.FirstRule(); part != nullptr; part = part->NextRule()) {
        switch (part->GetType()) {
        case kSpecTypeAttribute:
            hasher.Add(std::string_view(element.AttributeValue(part->name.Text())));
            break;
        case kSpecTypeElement: {
            const NXML::CElement* child = element.FindChildElement(part->name.Text());
            hasher.Add(std::uint64_t{child != nullptr});
            if (child != nullptr)
                AddIdentity(hasher, static_cast<const CElementSpec&>(*part), *child);
            break;
        }
        case kSpecTypeContent:
            hasher.Add(std::string_view(IdentifyingContent(element).Text()));
            break;
        default:
            break;
        }
    }
}

TMatchKey ElementKey(CMatchRules& rules, const NXML::CElement& element, bool withNamespace) {
    CKeyHasher hasher(NXML::kTypeElement);
    hasher.Add(std::string_view(element.text.Text()));
    if (withNamespace)
        hasher.Add(std::string_view(element.namespaceUri.Text()));
    if (const CElementSpec* rule = rules.FindElementSpec(element))
        AddIdentity(hasher, *rule, element);
    return hasher.Key();
}

TMatchKey TextKey(const NXML::CNode& node) {
    CKeyHasher hasher(node.GetType());
    hasher.Add(std::string_view(node.text.Text()));
    return hasher.Key();
}

} // namespace

TMatchKey CorrespondenceKey(CMatchRules& rules, const NXML::CNode& node) {
    switch (node.GetType()) {
    case NXML::kTypeElement:
        return ElementKey(rules, static_cast<const NXML::CElement&>(node), false);
    case NXML::kTypeComment:
    case NXML::kTypeContent:
        return CKeyHasher(node.GetType()).Key();
    default:
        return NXML::IsXmlDeclaration(node) ? CKeyHasher(node.GetType()).Key() : TextKey(node);
    }
}

TMatchKey JoinKey(CMatchRules& rules, const NXML::CNode& node) {
    if (node.GetType() == NXML::kTypeElement)
        return ElementKey(rules, static_cast<const NXML::CElement&>(node), true);
    return TextKey(node);
}
