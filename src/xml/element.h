#pragma once

#include "framework/array.h"
#include "xml/attribute.h"
#include "xml/node.h"

#include <array>
#include <memory>

namespace NXML {

class CNamespaceLookup;

class CElement final : public CNode {
public:
    // Read with a start and an end tag and nothing but whitespace between.
    static constexpr std::uint32_t kEmptyWithEndTag = 0x100;
    // Has an `xmlns` attribute.
    static constexpr std::uint32_t kDeclaresDefaultNamespace = 0x200;
    // The source name had a prefix.
    static constexpr std::uint32_t kPrefixed = 0x400;

    // Whitespace between the last attribute (or the name) and ">" or "/>".
    static constexpr std::size_t kSpaceBeforeTagEnd = 0;
    // Whitespace between the name of the end tag and its ">".
    static constexpr std::size_t kSpaceInEndTag = 1;

    // One `xmlns:prefix="uri"` declaration.
    struct SNSPrefix : public NMem::CPooled {
        NString::TStr<char> uri;
        NString::TStr<char> prefix;
    };

    ~CElement() override;

    int GetType() const override { return kTypeElement; }
    const char* GetOpen() const override { return "<"; }
    const char* GetClose() const override { return ">"; }

    // ---- Attributes ----
    CAttribute* FirstAttribute() const {
        return AttributeFrom(static_cast<CNode*>(attributes.FirstChild()));
    }
    CAttribute* AttributeAt(std::uint32_t index) const;
    // The name of the index-th attribute, "" when there is none.
    const char* AttributeNameAt(std::uint32_t index) const;
    // By full source name (prefix included), byte for byte.
    CAttribute* FindAttribute(const char* name) const;
    // The value, "" for a missing attribute.
    const char* AttributeValue(const char* name) const;
    // Appends `attribute` (taking ownership) to the attribute list.
    void AddAttribute(CAttribute* attribute) { attributes.AddChild(attribute); }

    // ---- Namespaces ----
    // The declaration of `prefix` on this element or the nearest ancestor
    // element that has one; an empty record when there is none.
    const SNSPrefix& FindNamespace(const char* prefix) const;
    // The prefix of the nearest declaration of `uri` (the element's own
    // namespace when null), "" when there is none.
    const char* PrefixOf(const char* uri = nullptr) const;
    // The `xmlns` value of this element or the nearest ancestor that has one.
    const char* DefaultNamespace() const;

    // Records the namespace declarations among the attributes, takes the
    // prefix off the name and resolves the element's namespace, looking
    // outwards through the ancestors.
    void ResolveNamespaces();
    // The same in three steps, for readers that keep their own scope:
    // records the declarations among the attributes;
    void ReadNamespaceDeclarations();
    // moves a prefix ("p:name") from `text` into `prefix` and sets kPrefixed
    // (parsed text is cut in place, like every parsed string);
    void SplitQualifiedName();
    // sets the namespace from the prefix's declaration in `scope`, or else
    // from the default namespace there.
    void AssignNamespace(const CNamespaceLookup& scope);

    // The element's own `xmlns:` declarations, in attribute order.
    const NPtr::TArray<SNSPrefix>& Prefixes() const;
    // The value of this element's own `xmlns` attribute, "" without one.
    const NString::TStr<char>& DefaultNamespaceUri() const;

    // Not linked into the tree: its children are the attributes in source
    // order. A bare list head, as it needs nothing but the links.
    NPtr::CNode attributes;
    // The resolved namespace, "" when none is in scope.
    NString::TStr<char> namespaceUri;
    // The prefix as the source wrote it ("" when the name had none).
    NString::TStr<char> prefix;

private:
    // What few elements have is kept apart, so that the millions of elements
    // of a large document stay small: namespace declarations, and whitespace
    // inside their tags.
    struct SDeclarations : public NMem::CPooled {
        SDeclarations() = default;
        SDeclarations(const SDeclarations&) = delete;
        SDeclarations& operator=(const SDeclarations&) = delete;
        ~SDeclarations() { prefixes.DeleteAll(); }

        NPtr::TArray<SNSPrefix> prefixes;
        NString::TStr<char> defaultNamespaceUri;
    };
    struct SSpaceSlots : public NMem::CPooled {
        std::array<NString::TStr<char>, 2> spaces;
    };

    // Made first when it is null.
    SDeclarations& OwnDeclarations();

    std::unique_ptr<SDeclarations> m_declarations;
    // Made when a slot is first written to; without it both slots are empty.
    std::unique_ptr<SSpaceSlots> m_spaceSlots;

    std::span<NString::TStr<char>> SpaceSlots() override;
    std::span<const NString::TStr<char>> SpaceSlots() const override;

    // An element writes nothing of its own, only what lies below it.
    int WriteOwnPart(NIO::CBase& out) const override;
};

} // namespace NXML
