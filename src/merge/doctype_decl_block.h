#pragma once

#include "merge/simple_block.h"

namespace NXML {
class CDocTypeDecl;
}

// The document type declaration: one line with the root name and the
// external identifier, then the declarations of the internal subset and a
// closing "]>" line when there are any.
class CDocTypeDeclBlock final : public CSimpleBlock {
public:
    CDocTypeDeclBlock(const NXML::CDocTypeDecl* declaration, int blockSide);

    CBlockBase* Clone() const override { return CloneTree(*this); }
    TLine NumberLines(TLine first) override;
    int GetLineText(NString::TStr<char16_t>& lineText, TLine n,
                    std::vector<COLORREF>* colours) const override;
    // The declaration as the source wrote it, after the whitespace before it,
    // with the blocks of the internal subset in it.
    bool WriteMerged(NIO::CBase& out) const override;
    bool WriteIndented(NIO::CBase& out, int depth, const char* indent) const override;

    // Null in a placeholder.
    const NXML::CDocTypeDecl* Declaration() const;

private:
    // "PUBLIC" or "SYSTEM" with the quoted literals; empty without an
    // external identifier.
    NString::TStr<char> ExternalId() const;
};
