#pragma once

#include <string_view>
#include <unordered_set>

class CElementSpec;

// Adds attribute names to an element rule's known attributes, each once, in
// constant time per name: an element may carry a million attributes, and a
// search of the list for each would take minutes.
class CKnownAttributeIndex {
public:
    // Indexes the names `rule` knows already; the rule must outlive the index.
    explicit CKnownAttributeIndex(CElementSpec& rule);

    // Adds `name` to the rule's known attributes unless it is there; true when
    // it was added.
    bool Add(const char* name);

private:
    CElementSpec& m_rule;
    // Views of the rule's own copies of the names.
    std::unordered_set<std::string_view> m_names;
};
