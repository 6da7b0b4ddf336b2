#include "formats/known_attribute_index.h"

#include "formats/element_spec.h"

CKnownAttributeIndex::CKnownAttributeIndex(CElementSpec& rule) : m_rule(rule) {
    m_names.reserve(rule.knownAttributes.Count());
    for (const NString::TStr<char>* known : rule.knownAttributes)
        m_names.insert(known->Text());
}

bool CKnownAttributeIndex::Add(const char* name) {
    if (m_names.contains(name))
        return false;
    const int index = m_rule.knownAttributes.AddCopy(name);
    if (index < 0)
        return false;
    m_names.insert(m_rule.knownAttributes[static_cast<std::uint32_t>(index)]->Text());
    return true;
}
