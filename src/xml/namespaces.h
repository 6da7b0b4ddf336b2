#pragma once

#include "xml/element.h"

#include <string_view>
#include <unordered_map>
#include <vector>

namespace NXML {

// The namespace declarations in scope at one element.
class CNamespaceLookup {
public:
    virtual ~CNamespaceLookup() = default;

    // The nearest declaration of `prefix`, or null.
    virtual const CElement::SNSPrefix* FindPrefix(const char* prefix) const = 0;
    // The nearest declaration that binds `uri`, or null.
    virtual const CElement::SNSPrefix* FindUri(const char* uri) const = 0;
    // The nearest default namespace (an `xmlns` value), or null.
    virtual const NString::TStr<char>* DefaultUri() const = 0;
};

// The scope of an element in its tree: its own declarations, then those of
// each ancestor element outwards. Each lookup walks the ancestors.
class CInheritedNamespaces final : public CNamespaceLookup {
public:
    explicit CInheritedNamespaces(const CElement& element) : m_element(element) {}

    const CElement::SNSPrefix* FindPrefix(const char* prefix) const override;
    const CElement::SNSPrefix* FindUri(const char* uri) const override;
    const NString::TStr<char>* DefaultUri() const override;

private:
    const CElement& m_element;
};

// The scope kept by a reader or writer that walks a tree from the top: the
// elements entered and not yet left, innermost first. Lookups take constant
// time, so deeply nested documents stay linear.
class CNamespaceScope final : public CNamespaceLookup {
public:
    // Brings the element's declarations into scope; its own declarations are
    // seen first, in attribute order.
    void Enter(const CElement& element);
    // Takes them out again. Elements leave in the reverse order they entered,
    // with the declarations they entered with.
    void Leave(const CElement& element);

    const CElement::SNSPrefix* FindPrefix(const char* prefix) const override;
    const CElement::SNSPrefix* FindUri(const char* uri) const override;
    const NString::TStr<char>* DefaultUri() const override;

private:
    using CStack = std::vector<const CElement::SNSPrefix*>;

    static const CElement::SNSPrefix*
    Innermost(const std::unordered_map<std::string_view, CStack>& index, const char* key);
    static void Pop(std::unordered_map<std::string_view, CStack>& index, const char* key);

    std::unordered_map<std::string_view, CStack> m_byPrefix;
    std::unordered_map<std::string_view, CStack> m_byUri;
    std::vector<const NString::TStr<char>*> m_defaults;
};

} // namespace NXML
