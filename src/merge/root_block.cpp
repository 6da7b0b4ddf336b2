#include "merge/root_block.h"

#include "merge/block_output.h"

TLine CRootBlock::NumberAll() {
    const TLine count = NumberLines(kNoLine);
    lines.push_back(count);
    return count;
}

CBlockBase* CRootBlock::FindLine(TLine n) const {
    return n < LineCount() ? FindLineInChildren(n) : nullptr;
}

int CRootBlock::GetLineText(NString::TStr<char16_t>& text, TLine n,
                            std::vector<COLORREF>* colours) const {
    const CBlockBase* owner = FindLine(n);
    if (owner == nullptr)
        return CBlockBase::GetLineText(text, n, colours);
    return owner->GetLineText(text, n, colours);
}

bool CRootBlock::WriteMerged(NIO::CBase& out) const {
    CBlockOutput output(out);
    output << CBlockBase::WriteMerged(out) << trailingText;
    return output.Ok();
}
