#include "formats/element_spec.h"

#include "formats/spec_values.h"
#include "formats/spec_writer.h"
#include "framework/string_functions.h"
#include "xml/content.h"
#include "xml/element.h"

namespace {

// No list of names in a file is read beyond this many entries.
constexpr std::uint32_t kLongestNameList = 256;

// Character content is compared without whitespace at its ends.
constexpr char kContentSpaces[] = "\t\n\r \u0085\u2028";

bool SameText(const char* a, const char* b) {
    return NString::Compare(a, b) == 0;
}

bool SameAttributeValue(const char* attributeName, const NXML::CElement& a,
                        const NXML::CElement& b) {
    return SameText(a.AttributeValue(attributeName), b.AttributeValue(attributeName));
}

NString::TStr<char> TrimmedContent(const NXML::CContent& content) {
    NString::TStr<char> text(content.text.Text());
    NString::Trim(text.Text(), kContentSpaces);
    return text;
}

// A child the rule names may be missing: two elements that both lack it are
// alike in that part, so that they still match each other (they would
// otherwise match nothing, not even an identical copy on another side).
bool SameChildElement(const CElementSpec& rule, const NXML::CElement& a, const NXML::CElement& b) {
    const NXML::CElement* childA = a.FindChildElement(rule.name.Text());
    const NXML::CElement* childB = b.FindChildElement(rule.name.Text());
    if (childA == nullptr || childB == nullptr)
        return childA == nullptr && childB == nullptr;
    return rule.IdentifyEqual(*childA, *childB);
}

// Missing text counts as empty, as a missing attribute does.
bool SameContent(const NXML::CElement& a, const NXML::CElement& b) {
    return SameText(IdentifyingContent(a).Text(), IdentifyingContent(b).Text());
}

} // namespace

NString::TStr<char> IdentifyingContent(const NXML::CElement& element) {
    const NXML::CContent* content = element.FirstContent();
    return content != nullptr ? TrimmedContent(*content) : NString::TStr<char>("");
}

CElementSpec::CElementSpec(const CElementSpec& other) : CSpecBase(other) {
    for (const NString::TStr<char>* known : other.knownAttributes)
        knownAttributes.AddCopy(known->Text());
}

void CElementSpec::Read(const NXML::CElement& element, int depth) {
    ClearFlags(kOrderMask);
    const NString::TStr<char> order = SpecAttributeValue(element, "order");
    if (SameText(order.Text(), "Sequenced"))
        SetFlags(kSequenced);
    else if (SameText(order.Text(), "Random"))
        SetFlags(kRandom);
    AppendCommaList(SpecAttributeValue(element, "attributes").Text(), knownAttributes,
                    kLongestNameList);
    ReadChildRules(element, depth);
}

int CElementSpec::Write(NIO::CBase& out, int indent) const {
    CSpecWriter writer(out);
    writer.Indent(indent).Markup("<element name='").Value(name.Text());
    if (HasFlags(kSequenced))
        writer.Markup("' order='Sequenced");
    else if (HasFlags(kRandom))
        writer.Markup("' order='Random");
    if (!knownAttributes.IsEmpty()) {
        writer.Markup("' attributes='");
        for (std::uint32_t i = 0; i < knownAttributes.Count(); ++i)
            writer.Markup(i == 0 ? "" : ",").Value(knownAttributes[i]->Text());
    }
    writer.Markup("'>\r\n");
    if (writer.Result() != NResult::kOk)
        return writer.Result();
    if (const int result = CSpecBase::Write(out, indent); result != NResult::kOk)
        return result;
    return writer.Indent(indent).Markup("</element>\r\n").Result();
}

bool CElementSpec::IsDefaultRule() const {
    return SameText(name.Text(), "*");
}

bool CElementSpec::IdentifyEqual(const NXML::CElement& a, const NXML::CElement& b) const {
    if (!SameText(a.text.Text(), b.text.Text()))
        return false;
    for (const CSpecBase* rule = FirstRule(); rule != nullptr; rule = rule->NextRule()) {
        switch (rule->GetType()) {
        case kSpecTypeAttribute:
            if (!SameAttributeValue(rule->name.Text(), a, b))
                return false;
            break;
        case kSpecTypeElement:
            if (!SameChildElement(static_cast<const CElementSpec&>(*rule), a, b))
                return false;
            break;
        case kSpecTypeContent:
            if (!SameContent(a, b))
                return false;
            break;
        default:
            break;
        }
    }
    return true;
}
