#include "xml/namespaces.h"

#include "framework/string_functions.h"

namespace NXML {

namespace {

using SNSPrefix = CElement::SNSPrefix;

// The first record of `element`'s own declarations whose field (prefix or URI)
// equals `key`, then the same on each ancestor element outwards.
template <typename Field>
const SNSPrefix* FindOutwards(const CElement& element, const char* key, Field field) {
    for (const CElement* scope = &element; scope != nullptr; scope = scope->ParentElement()) {
        for (const SNSPrefix* record : scope->Prefixes()) {
            if (NString::Compare((record->*field).Text(), key) == 0)
                return record;
        }
    }
    return nullptr;
}

} // namespace

const SNSPrefix* CInheritedNamespaces::FindPrefix(const char* prefix) const {
    return FindOutwards(m_element, prefix, &SNSPrefix::prefix);
}

const SNSPrefix* CInheritedNamespaces::FindUri(const char* uri) const {
    return FindOutwards(m_element, uri, &SNSPrefix::uri);
}

const NString::TStr<char>* CInheritedNamespaces::DefaultUri() const {
    for (const CElement* scope = &m_element; scope != nullptr; scope = scope->ParentElement()) {
        if (scope->HasFlags(CElement::kDeclaresDefaultNamespace))
            return &scope->DefaultNamespaceUri();
    }
    return nullptr;
}

void CNamespaceScope::Enter(const CElement& element) {
    // Pushed last to first, so that the first declaration ends up innermost.
    for (std::uint32_t index = element.Prefixes().Count(); index-- > 0;) {
        const SNSPrefix* record = element.Prefixes()[index];
        m_byPrefix[record->prefix.Text()].push_back(record);
        m_byUri[record->uri.Text()].push_back(record);
    }
    if (element.HasFlags(CElement::kDeclaresDefaultNamespace))
        m_defaults.push_back(&element.DefaultNamespaceUri());
}

void CNamespaceScope::Leave(const CElement& element) {
    for (const SNSPrefix* record : element.Prefixes()) {
        Pop(m_byPrefix, record->prefix.Text());
        Pop(m_byUri, record->uri.Text());
    }
    if (element.HasFlags(CElement::kDeclaresDefaultNamespace) && !m_defaults.empty())
        m_defaults.pop_back();
}

void CNamespaceScope::Pop(std::unordered_map<std::string_view, CStack>& index, const char* key) {
    const auto found = index.find(key);
    if (found == index.end())
        return;
    found->second.pop_back();
    if (found->second.empty())
        index.erase(found);
}

const SNSPrefix*
CNamespaceScope::Innermost(const std::unordered_map<std::string_view, CStack>& index,
                           const char* key) {
    const auto found = index.find(key);
    if (found == index.end() || found->second.empty())
        return nullptr;
    return found->second.back();
}

const SNSPrefix* CNamespaceScope::FindPrefix(const char* prefix) const {
    return Innermost(m_byPrefix, prefix);
}

const SNSPrefix* CNamespaceScope::FindUri(const char* uri) const {
    return Innermost(m_byUri, uri);
}

const NString::TStr<char>* CNamespaceScope::DefaultUri() const {
    return m_defaults.empty() ? nullptr : m_defaults.back();
}

} // namespace NXML
