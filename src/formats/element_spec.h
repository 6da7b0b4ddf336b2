#pragma once

#include "formats/spec_base.h"
#include "framework/str_array.h"

namespace NXML {
class CElement;
}

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
    // and every child rule holds for both. A part that both lack counts as
    // alike, so an element without its identifying text or child still
    // matches its copy on another side.
    bool IdentifyEqual(const NXML::CElement& a, const NXML::CElement& b) const;

    // Attribute names seen on elements of this name in compared documents;
    // offered for editing, without effect on matching. Learning adds to it
    // through a CKnownAttributeIndex.
    NString::TStrArray<NString::TStr<char>> knownAttributes;
};

// An element's character content as a content rule compares it: its first
// text child without the spaces (tab, line feed, carriage return, space,
// U+0085, U+2028) at its ends; empty when it has no text child.
NString::TStr<char> IdentifyingContent(const NXML::CElement& element);
