#include "merge/root_block.h"

#include "merge/block_output.h"

TLine CRootBlock::NumberAll() {
    const TLine count = NumberLines(kNoLine);
    lines.push_back(count);
    return count;
}

CBlockBase* CRootBlock::FindLine(TLine n) const {
    if (n >= LineCount())
        return nullptr;
    for (CBlockBase* child = FirstChildBlock(); child != nullptr;
         child = child->NextSiblingBlock()) {
        if (CBlockBase* found = child->FindLine(n))
            return found;
    }
    return nullptr;
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
