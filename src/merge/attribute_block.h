#pragma once

#include "merge/simple_block.h"

class CBlockOutput;

namespace NXML {
class CAttribute;
}

// One attribute on one line: name, " = " and the quoted value. Inside a
// selector only the left alternative shows the name, and every alternative's
// value starts at the same x.
class CAttributeBlock final : public CSimpleBlock {
public:
    // Gap between the name of the left alternative and the values.
    static constexpr int kValueGap = 48;

    CAttributeBlock(const NXML::CAttribute* attribute, int blockSide);

    CBlockBase* Clone() const override { return CloneTree(*this); }
    int GetLineText(NString::TStr<char16_t>& lineText, TLine n,
                    std::vector<COLORREF>* colours) const override;
    int GetIndent() const override;
    STabStops GetTabStops() const override;
    bool WriteMerged(NIO::CBase& out) const override;
    bool WriteIndented(NIO::CBase& out, int depth, const char* indent) const override;
    bool IsAttributeBlock() const override { return true; }

    // Null in a placeholder.
    const NXML::CAttribute* Attribute() const;
    // The attribute's name; a placeholder takes it from another alternative.
    const char* Name() const;

private:
    bool InSelector() const { return ParentBlock() != nullptr && ParentBlock()->IsBlockSelector(); }
    // The width of the name and " = ".
    int NameWidth() const;
    // Name, the "=" with its whitespace, and the quoted value, laid out as
    // `layout` is.
    void PutAssignment(CBlockOutput& output, const NXML::CAttribute& layout) const;
};
