#pragma once

#include "formats/spec_base.h"

// Identifies an element by the value of its attribute of this rule's name.
class CAttributeSpec final : public CSpecBase {
public:
    CAttributeSpec() = default;
    CAttributeSpec(const CAttributeSpec&) = default;

    int GetType() const override { return kSpecTypeAttribute; }
    CSpecBase* Clone() const override { return new CAttributeSpec(*this); }
    int Write(NIO::CBase& out, int indent) const override;

    // Kept and written, but never read from a file and without effect on
    // matching; written only when not empty.
    NString::TStr<char> listSeparator;
};
