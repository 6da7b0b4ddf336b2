#pragma once

#include "formats/spec_base.h"
#include "text/str_array.h"

namespace NXML {
class CContent;
class CElement;
} // namespace NXML

// The rules for elements of one name; the name "*" makes it the default rule
// for every element without a rule of its own. Its children identify such an
// element among its siblings, in order: attribute rules, child-element rules
// (nested element rules named after the child element) and content rules.
class CElementSpec final : public CSpecBase {
public:
    CElementSpec() = default;
    CElementSpec(const CElementSpec& other);

    int GetType() const override { return kSpecTypeElement; }
    CSpecBase* Clone() const override { return new CElementSpec(*this); }
    // Reads the order, the known attributes and the child rules.
    void Read(const NXML::CElement& element, int depth) override;
    int Write(NIO::CBase& out, int indent) const override;

    bool IsDefaultRule() const;

    // Whether `a` and `b` are the same element under this rule: same name,
    // and every child rule holds for both.
    bool IdentifyEqual(const NXML::CElement& a, const NXML::CElement& b) const;

    // Attribute names seen on elements of this name in compared documents;
    // offered for editing, without effect on matching. Learning adds to it
    // through a CKnownAttributeIndex.
    NString::TStrArray<NString::TStr<char>> knownAttributes;
};

// Character content as a content rule compares it: without the spaces (tab,
// line feed, carriage return, space, U+0085, U+2028) at its ends.
NString::TStr<char> TrimmedContent(const NXML::CContent& content);
