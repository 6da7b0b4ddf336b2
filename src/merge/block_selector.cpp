#include "merge/block_selector.h"

#include "merge/merged_text_with_gaps.h"
#include "merge/simple_block.h"
#include "merge/text_metrics.h"

#include <algorithm>
#include <limits>

CSimpleBlock* CBlockSelector::Alternative(CBlockBase* block) {
    return static_cast<CSimpleBlock*>(block);
}

TLine CBlockSelector::NumberLines(TLine first) {
    lines.clear();
    return NumberChildren(first);
}

CBlockBase* CBlockSelector::FindLine(TLine n) const {
    return FindLineInChildren(n);
}

// An alternative answers from its own lines only: before numbering it has
// none and would ask this selector back.
TLine CBlockSelector::FirstLine() const {
    const CBlockBase* first = FirstChildBlock();
    return first != nullptr && !first->lines.empty() ? first->FirstLine() : kNoLine;
}

TLine CBlockSelector::LastLine() const {
    const auto* last = static_cast<const CBlockBase*>(LastChild());
    return last != nullptr && !last->lines.empty() ? last->LastLine() : kNoLine;
}

void CBlockSelector::CollectSelectors(NPtr::TArray<CBlockSelector>& list) {
    list.Add(this);
}

int CBlockSelector::GetWidth() {
    if (width == -1) {
        CBlockBase::GetWidth();
        PlaceFrame();
    }
    return width;
}

void CBlockSelector::PlaceFrame() {
    const CSimpleBlock* shown = FirstAlternativeWithNode();
    if (shown != nullptr && shown->IsAttributeBlock()) {
        int leftmost = std::numeric_limits<int>::max();
        for (const CBlockBase* alternative = FirstChildBlock(); alternative != nullptr;
             alternative = alternative->NextSiblingBlock()) {
            if (alternative->side != kSideLeft)
                leftmost = std::min(leftmost, alternative->GetIndent());
        }
        m_frameLeft =
            (leftmost == std::numeric_limits<int>::max() ? 0 : leftmost) + kFrameLeftMargin;
    } else {
        int ancestors = 0;
        for (const CBlockBase* ancestor = ParentBlock(); ancestor != nullptr;
             ancestor = ancestor->ParentBlock())
            ++ancestors;
        m_frameLeft = (ancestors - 1) * IndentUnit() + kFrameLeftMargin;
    }
    m_frameRight = width + kFrameRightMargin;
}

bool CBlockSelector::WriteMerged(NIO::CBase& out) const {
    if (const CSimpleBlock* chosen = ChosenAlternative())
        return chosen->WriteMerged(out);
    CMergedTextWithGaps* gapped = CMergedTextWithGaps::Of(out);
    return gapped != nullptr && gapped->AddGap(*this);
}

CSimpleBlock* CBlockSelector::ChosenAlternative() const {
    return resolution >= 0 ? Alternative(static_cast<CBlockBase*>(
                                 ChildAt(static_cast<std::uint32_t>(resolution))))
                           : nullptr;
}

CSimpleBlock* CBlockSelector::FirstAlternativeWithNode() const {
    for (CSimpleBlock* alternative = FirstAlternative(); alternative != nullptr;
         alternative = Alternative(alternative->NextSiblingBlock())) {
        if (alternative->node != nullptr)
            return alternative;
    }
    return nullptr;
}

CSimpleBlock* CBlockSelector::AlternativeOfSide(int alternativeSide) const {
    for (CSimpleBlock* alternative = FirstAlternative(); alternative != nullptr;
         alternative = Alternative(alternative->NextSiblingBlock())) {
        if (alternative->side == alternativeSide)
            return alternative;
    }
    return nullptr;
}

bool CBlockSelector::IsAlternativeStart(TLine line) const {
    for (const CBlockBase* alternative = FirstChildBlock(); alternative != nullptr;
         alternative = alternative->NextSiblingBlock()) {
        if (!alternative->lines.empty() && alternative->FirstLine() == line)
            return true;
    }
    return false;
}
