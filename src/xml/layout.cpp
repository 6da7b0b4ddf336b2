#include "xml/layout.h"

#include "xml/doctype.h"
#include "xml/element.h"
#include "xml/writer.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

namespace NXML {

namespace {

bool SameText(const char* a, const char* b) {
    return std::strcmp(a, b) == 0;
}

bool SameText(const NString::TStr<char>& a, const NString::TStr<char>& b) {
    return SameText(a.Text(), b.Text());
}

bool SameSpaces(const CNode& a, const CNode& b) {
    const auto spacesA = a.Spaces();
    const auto spacesB = b.Spaces();
    // Attributes with the usual spacing share their slots.
    if (spacesA.data() == spacesB.data())
        return spacesA.size() == spacesB.size();
    return std::equal(spacesA.begin(), spacesA.end(), spacesB.begin(), spacesB.end(),
                      [](const auto& x, const auto& y) { return SameText(x, y); });
}

bool SameElementLayout(const CElement& a, const CElement& b) {
    return FormOf(a) == FormOf(b) && SameText(WhitespaceBeforeEndTag(a), WhitespaceBeforeEndTag(b));
}

using CNames = std::vector<std::string_view>;

CNames AttributeNames(const CElement& element) {
    CNames names;
    for (const CAttribute* attribute = element.FirstAttribute(); attribute != nullptr;
         attribute = attribute->NextAttribute())
        names.emplace_back(attribute->name.Text());
    return names;
}

// `names` without those that `other` lacks, in their order.
CNames Shared(const CNames& names, const CNames& other) {
    CNames sorted = other;
    std::sort(sorted.begin(), sorted.end());
    CNames shared;
    for (const std::string_view name : names)
        if (std::binary_search(sorted.begin(), sorted.end(), name))
            shared.push_back(name);
    return shared;
}

} // namespace

EElementForm FormOf(const CElement& element) {
    if (element.HasContent())
        return EElementForm::kWithContent;
    if (IsWrittenEmpty(element))
        return EElementForm::kEmptyElementTag;
    return EElementForm::kEndTagWithoutContent;
}

bool IsLayoutEqual(const CNode& a, const CNode& b) {
    if (a.GetType() != b.GetType() || !SameSpaces(a, b))
        return false;
    switch (a.GetType()) {
    case kTypeAttribute:
        return static_cast<const CAttribute&>(a).quote == static_cast<const CAttribute&>(b).quote;
    case kTypeElement:
        return SameElementLayout(static_cast<const CElement&>(a), static_cast<const CElement&>(b));
    case kTypeDocTypeDecl:
        return SameText(static_cast<const CDocTypeDecl&>(a).beforeClose,
                        static_cast<const CDocTypeDecl&>(b).beforeClose);
    default:
        return true;
    }
}

bool IsSpacingBeforeEqual(const CNode& a, const CNode& b) {
    return SameText(WhitespaceBefore(a), WhitespaceBefore(b));
}

bool IsAttributeOrderEqual(const CElement& a, const CElement& b) {
    // Nearly always both have the same names in the same order.
    const CAttribute* attributeA = a.FirstAttribute();
    const CAttribute* attributeB = b.FirstAttribute();
    while (attributeA != nullptr && attributeB != nullptr &&
           SameText(attributeA->name, attributeB->name)) {
        attributeA = attributeA->NextAttribute();
        attributeB = attributeB->NextAttribute();
    }
    if (attributeA == nullptr && attributeB == nullptr)
        return true;
    const CNames namesA = AttributeNames(a);
    const CNames namesB = AttributeNames(b);
    return Shared(namesA, namesB) == Shared(namesB, namesA);
}

} // namespace NXML
