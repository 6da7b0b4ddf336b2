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
#include <utility>
#include <vector>

namespace {

// Attribute names that documents commonly identify their elements by, best
// first: the one an element's identity is taken from when several qualify.
constexpr std::string_view kIdentityNames[] = {
    "id",          "android:id", "x:Name", "x:Key", "name", "android:name", "key",
    "android:key", "Include",    "Update", "Id",    "Name", "Key",          "xml:id",
};

// Whether the name, without its prefix, ends in "id", "name" or "key" in any
// letter case ("shortcutId", "targetName"): such an attribute names what its
// element stands for, where others that happen to be unique ("icon",
// "label") hold content that edits change.
bool LooksLikeIdentity(std::string_view attribute) {
    const std::size_t colon = attribute.rfind(':');
    const std::string_view local =
        colon == std::string_view::npos ? attribute : attribute.substr(colon + 1);
    const auto endsWith = [local](std::string_view suffix) {
        return local.size() >= suffix.size() &&
               std::equal(suffix.rbegin(), suffix.rend(), local.rbegin(), [](char a, char b) {
                   return a == b || (b >= 'A' && b <= 'Z' && a == static_cast<char>(b - 'A' + 'a'));
               });
    };
    return endsWith("id") || endsWith("name") || endsWith("key");
}

// The rank of an attribute among those that could identify, lower first: the
// listed names in their order, then names that look like identities, then
// all others.
std::size_t PreferenceOf(std::string_view attribute) {
    const auto* found = std::find(std::begin(kIdentityNames), std::end(kIdentityNames), attribute);
    if (found != std::end(kIdentityNames))
        return static_cast<std::size_t>(found - std::begin(kIdentityNames));
    return std::size(kIdentityNames) + (LooksLikeIdentity(attribute) ? 0 : 1);
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

// An element's attribute values by name, each found in logarithmic time: an
// element may carry a hundred thousand attributes.
class CAttributeTable {
public:
    void Fill(const NXML::CElement& element) {
        m_entries.clear();
        for (const NXML::CAttribute* attribute = element.FirstAttribute(); attribute != nullptr;
             attribute = attribute->NextAttribute())
            m_entries.emplace_back(attribute->name.Text(), attribute->text.Text());
        // Stable: of two attributes of one name the first counts, as it does
        // for the matching.
        std::stable_sort(m_entries.begin(), m_entries.end(), ByName);
    }

    // The value of the attribute `name`, "" when there is none.
    const char* Value(std::string_view name) const {
        const auto found =
            std::lower_bound(m_entries.begin(), m_entries.end(), SEntry(name, nullptr), ByName);
        return found != m_entries.end() && found->first == name ? found->second : "";
    }

private:
    using SEntry = std::pair<std::string_view, const char*>;
    static bool ByName(const SEntry& a, const SEntry& b) { return a.first < b.first; }

    std::vector<SEntry> m_entries;
};

// A candidate attribute and the values it had among one group of siblings.
struct SCandidateValues {
    const char* name;
    std::unordered_set<std::string_view> values;
};

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
        std::vector<SCandidateValues> alive;
        for (const char* name : evidence.candidates)
            alive.push_back({name, {}});
        // Candidates drop out as soon as one sibling lacks them or repeats a
        // value, so that each sibling is asked only for the survivors.
        for (const NXML::CElement* sibling : siblings) {
            m_attributes.Fill(*sibling);
            std::erase_if(alive, [&](SCandidateValues& candidate) {
                const char* value = m_attributes.Value(candidate.name);
                return *value == 0 || !candidate.values.emplace(value).second;
            });
        }
        evidence.candidates.clear();
        for (const SCandidateValues& candidate : alive)
            evidence.candidates.push_back(candidate.name);
    }

    // Keyed by the rules' names, which the rules own.
    std::unordered_map<std::string_view, SEvidence> m_evidence;
    // Scratch space, kept between parents.
    std::vector<const NXML::CElement*> m_children;
    CAttributeTable m_attributes;
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
