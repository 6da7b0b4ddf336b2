#include "xml/element.h"

#include "framework/result.h"
#include "framework/string_functions.h"
#include "xml/namespaces.h"

#include <cstring>
#include <new>

namespace NXML {

namespace {

constexpr char kPrefixDeclaration[] = "xmlns:";
constexpr int kPrefixDeclarationLength = 6;
// Only the first five characters are compared, so "xmlnsfoo" counts too.
constexpr char kDefaultDeclaration[] = "xmlns";
constexpr std::size_t kDefaultDeclarationLength = 5;

// Points `target` at `source`'s text: borrowed text stays borrowed (it lives
// in the document buffer as long as the nodes do), owned text is copied.
void ShareText(NString::TStr<char>& target, const NString::TStr<char>& source, int offset = 0) {
    if (source.IsBorrowed())
        target.Borrow(source.Text(offset));
    else
        target = source.Text(offset);
}

} // namespace

CElement::~CElement() = default;

const NPtr::TArray<CElement::SNSPrefix>& CElement::Prefixes() const {
    static const NPtr::TArray<SNSPrefix> kNone;
    return m_declarations != nullptr ? m_declarations->prefixes : kNone;
}

const NString::TStr<char>& CElement::DefaultNamespaceUri() const {
    static const NString::TStr<char> kNone;
    return m_declarations != nullptr ? m_declarations->defaultNamespaceUri : kNone;
}

CElement::SDeclarations& CElement::OwnDeclarations() {
    if (m_declarations == nullptr)
        m_declarations = std::make_unique<SDeclarations>();
    return *m_declarations;
}

std::span<NString::TStr<char>> CElement::SpaceSlots() {
    if (m_spaceSlots == nullptr)
        m_spaceSlots = std::make_unique<SSpaceSlots>();
    return m_spaceSlots->spaces;
}

std::span<const NString::TStr<char>> CElement::SpaceSlots() const {
    static const std::array<NString::TStr<char>, 2> kEmpty;
    if (m_spaceSlots == nullptr)
        return kEmpty;
    return m_spaceSlots->spaces;
}

int CElement::WriteOwnPart(NIO::CBase&) const {
    return NResult::kOk;
}

CAttribute* CElement::AttributeAt(std::uint32_t index) const {
    CAttribute* attribute = FirstAttribute();
    for (; attribute != nullptr && index > 0; --index)
        attribute = attribute->NextAttribute();
    return attribute;
}

const char* CElement::AttributeNameAt(std::uint32_t index) const {
    const CAttribute* attribute = AttributeAt(index);
    return attribute != nullptr ? attribute->name.Text() : "";
}

CAttribute* CElement::FindAttribute(const char* name) const {
    for (CAttribute* attribute = FirstAttribute(); attribute != nullptr;
         attribute = attribute->NextAttribute()) {
        if (NString::Compare(attribute->name.Text(), name) == 0)
            return attribute;
    }
    return nullptr;
}

const char* CElement::AttributeValue(const char* name) const {
    const CAttribute* attribute = FindAttribute(name);
    return attribute != nullptr ? attribute->text.Text() : "";
}

const CElement::SNSPrefix& CElement::FindNamespace(const char* prefix) const {
    static const SNSPrefix kNone;
    const SNSPrefix* found = CInheritedNamespaces(*this).FindPrefix(prefix);
    return found != nullptr ? *found : kNone;
}

const char* CElement::PrefixOf(const char* uri) const {
    const SNSPrefix* found =
        CInheritedNamespaces(*this).FindUri(uri != nullptr ? uri : namespaceUri.Text());
    return found != nullptr ? found->prefix.Text() : "";
}

const char* CElement::DefaultNamespace() const {
    const NString::TStr<char>* uri = CInheritedNamespaces(*this).DefaultUri();
    return uri != nullptr ? uri->Text() : "";
}

void CElement::ResolveNamespaces() {
    ReadNamespaceDeclarations();
    SplitQualifiedName();
    AssignNamespace(CInheritedNamespaces(*this));
}

void CElement::ReadNamespaceDeclarations() {
    m_declarations.reset();
    ClearFlags(kDeclaresDefaultNamespace);
    for (const CAttribute* attribute = FirstAttribute(); attribute != nullptr;
         attribute = attribute->NextAttribute()) {
        const char* name = attribute->name.Text();
        // Both declaration forms start with 'x'; most names are passed at once.
        if (*name != 'x')
            continue;
        if (NString::StartsWith(name, kPrefixDeclaration)) {
            SDeclarations& declarations = OwnDeclarations();
            auto* record = new SNSPrefix;
            ShareText(record->uri, attribute->text);
            ShareText(record->prefix, attribute->name, kPrefixDeclarationLength);
            if (declarations.prefixes.Add(record) < 0) {
                delete record;
                throw std::bad_alloc();
            }
        } else if (std::strncmp(name, kDefaultDeclaration, kDefaultDeclarationLength) == 0) {
            ShareText(OwnDeclarations().defaultNamespaceUri, attribute->text);
            SetFlags(kDeclaresDefaultNamespace);
        }
    }
}

void CElement::SplitQualifiedName() {
    const char* colon = NString::FindChar(text.Text(), U':');
    if (colon == nullptr)
        return;
    SetFlags(kPrefixed);
    const auto prefixLength = static_cast<int>(colon - text.Text());
    if (text.IsBorrowed()) {
        char* cut = const_cast<char*>(colon);
        *cut = 0;
        prefix.Borrow(text.Text());
        text.Borrow(cut + 1);
        return;
    }
    NString::TStr<char> localName(colon + 1);
    prefix = text;
    *prefix.Text(prefixLength) = 0;
    text = std::move(localName);
}

void CElement::AssignNamespace(const CNamespaceLookup& scope) {
    namespaceUri.Clear(true);
    if (HasFlags(kPrefixed)) {
        if (const SNSPrefix* declaration = scope.FindPrefix(prefix.Text()))
            ShareText(namespaceUri, declaration->uri);
    }
    if (namespaceUri.IsEmpty()) {
        if (const NString::TStr<char>* defaultUri = scope.DefaultUri())
            ShareText(namespaceUri, *defaultUri);
    }
}

} // namespace NXML
