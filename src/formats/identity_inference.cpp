#include "formats/identity_inference.h"

#include "formats/attribute_spec.h"
#include "formats/element_spec.h"
#include "xml/doc.h"
#include "xml/element.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

// Attribute names that documents commonly identify their elements by, best
// first: the one an element's identity is taken from when several qualify.
constexpr std::string_view kIdentityNames[] = {
    "id",          "android:id", "x:Name", "x:Key", "name", "android:name", "key",
    "android:key", "Include",    "Update", "Id",    "Name", "Key",          "xml:id",
};

std::size_t PreferenceOf(std::string_view attribute) {
    const auto* found = std::find(std::begin(kIdentityNames), std::end(kIdentityNames), attribute);
    return found != std::end(kIdentityNames)
               ? static_cast<std::size_t>(found - std::begin(kIdentityNames))
               : std::size(kIdentityNames);
}

// Namespace declarations are read as attributes but name no part of the
// element itself.
bool IsNamespaceDeclaration(std::string_view attribute) {
    return attribute == "xmlns" || attribute.starts_with("xmlns:");
}

// What the documents have shown so far about elements of one rule's name.
struct SEvidence {
    CElementSpec* rule = nullptr;
    // The names of the attributes that may still identify, in the order of
    // the first element's attributes; empty once none can. The first
    // document owns them.
    std::vector<const char*> candidates;
    bool seen = false;
    // Some parent held two or more of these elements.
    bool hadSiblings = false;

    // Takes the candidates from the first element seen.
    void Begin(const NXML::CElement& first) {
        seen = true;
        for (const NXML::CAttribute* attribute = first.FirstAttribute(); attribute != nullptr;
             attribute = attribute->NextAttribute()) {
            const char* name = attribute->name.Text();
            if (!IsNamespaceDeclaration(name) && *attribute->text.Text() != 0)
                candidates.push_back(name);
        }
    }

    // The name of the candidate that identifies, or null.
    const char* Best() const {
        if (!hadSiblings || candidates.empty())
            return nullptr;
        return *std::min_element(
            candidates.begin(), candidates.end(),
            [](const char* a, const char* b) { return PreferenceOf(a) < PreferenceOf(b); });
    }
};

// Whether every one of `siblings` has `attribute` with a value, and no two
// the same value. `values` is scratch space.
bool IdentifiesSiblings(const char* attribute, std::span<const NXML::CElement* const> siblings,
                        std::unordered_set<std::string_view>& values) {
    values.clear();
    for (const NXML::CElement* sibling : siblings) {
        const char* value = sibling->AttributeValue(attribute);
        if (*value == 0 || !values.emplace(value).second)
            return false;
    }
    return true;
}

class CInference {
public:
    explicit CInference(std::span<CElementSpec* const> rules) {
        for (CElementSpec* rule : rules)
            if (rule->FirstRule() == nullptr)
                m_evidence.try_emplace(rule->name.Text()).first->second.rule = rule;
    }

    bool HasWork() const { return !m_evidence.empty(); }

    void Observe(const NXML::CDoc& document) {
        Observe(static_cast<const NXML::CNode&>(document));
        for (const NPtr::CNode* node = document.NextInSubtree(&document); node != nullptr;
             node = document.NextInSubtree(node))
            if (static_cast<const NXML::CNode*>(node)->GetType() == NXML::kTypeElement)
                Observe(*static_cast<const NXML::CNode*>(node));
    }

    int AddRules() {
        int added = 0;
        for (auto& [name, evidence] : m_evidence) {
            const char* best = evidence.Best();
            if (best == nullptr)
                continue;
            auto* rule = new CAttributeSpec;
            rule->name = best;
            evidence.rule->AddRule(rule);
            ++added;
        }
        return added;
    }

private:
    // Weighs the child elements of `parent` that have a rule to infer,
    // grouped by name.
    void Observe(const NXML::CNode& parent) {
        m_children.clear();
        for (const NXML::CElement* child = parent.FirstChildElement(); child != nullptr;
             child = child->NextSiblingElement())
            if (m_evidence.contains(child->text.Text()))
                m_children.push_back(child);
        // Stable, so that each group keeps document order.
        std::stable_sort(m_children.begin(), m_children.end(), ByName);
        for (auto first = m_children.begin(); first != m_children.end();) {
            const auto end = std::find_if(first, m_children.end(), [&](const NXML::CElement* e) {
                return ByName(*first, e);
            });
            Weigh(m_evidence.at((*first)->text.Text()), {first, end});
            first = end;
        }
    }

    static bool ByName(const NXML::CElement* a, const NXML::CElement* b) {
        return std::string_view(a->text.Text()) < std::string_view(b->text.Text());
    }

    void Weigh(SEvidence& evidence, std::span<const NXML::CElement* const> siblings) {
        if (!evidence.seen)
            evidence.Begin(*siblings.front());
        evidence.hadSiblings = evidence.hadSiblings || siblings.size() > 1;
        std::erase_if(evidence.candidates, [&](const char* attribute) {
            return !IdentifiesSiblings(attribute, siblings, m_values);
        });
    }

    // Keyed by the rules' names, which the rules own.
    std::unordered_map<std::string_view, SEvidence> m_evidence;
    // Scratch space, kept between parents.
    std::vector<const NXML::CElement*> m_children;
    std::unordered_set<std::string_view> m_values;
};

} // namespace

int InferIdentityRules(std::span<CElementSpec* const> rules,
                       std::span<const NXML::CDoc* const> documents) {
    CInference inference(rules);
    if (!inference.HasWork())
        return 0;
    for (const NXML::CDoc* document : documents)
        if (document != nullptr)
            inference.Observe(*document);
    return inference.AddRules();
}
