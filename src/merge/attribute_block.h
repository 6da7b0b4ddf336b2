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
    // Only the value, between its quotes, is editable; typed line breaks
    // become spaces.
    STextPoint InsertText(CUndoStep* step, STextPoint at, std::string_view typed) override;
    STextPoint DeleteText(CUndoStep* step, STextPoint from, STextPoint to) override;

    // Null in a placeholder.
    const NXML::CAttribute* Attribute() const;
    // The attribute's name; a placeholder takes it from another alternative.
    const char* Name() const;

private:
    bool InSelector() const { return ParentBlock() != nullptr && ParentBlock()->IsBlockSelector(); }
    // The label before the value on the line: the name and " = ", or
    // nothing for a right alternative.
    NString::TStr<char> Label() const;
    // The columns of the line before the value's first character.
    std::uint32_t ValueStart() const;
    // Whether `at` lies in the value, its ends included.
    bool InValue(STextPoint at) const;
    // The width of the name and " = ".
    int NameWidth() const;
    // Name, the "=" with its whitespace, and the quoted value, laid out as
    // `layout` is.
    void PutAssignment(CBlockOutput& output, const NXML::CAttribute& layout) const;
};
