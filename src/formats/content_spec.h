#pragma once

#include "formats/spec_base.h"

// Identifies an element by its first character content, trimmed. It has no
// name and no child rules.
class CContentSpec final : public CSpecBase {
public:
    CContentSpec() = default;
    CContentSpec(const CContentSpec&) = default;

    int GetType() const override { return kSpecTypeContent; }
    CSpecBase* Clone() const override { return new CContentSpec(*this); }
    // A content rule has nothing more to read.
    void Read(const NXML::CElement&, int) override {}
    int Write(NIO::CBase& out, int indent) const override;
};
