#include "merge/merged_text_with_gaps.h"

#include "compare/side_order.h"
#include "merge/block_selector.h"
#include "merge/simple_block.h"

CMergedTextWithGaps* CMergedTextWithGaps::Of(NIO::CBase& out) {
    return dynamic_cast<CMergedTextWithGaps*>(&out);
}

bool CMergedTextWithGaps::AddGap(const CBlockSelector& selector) {
    SGap gap;
    gap.offset = static_cast<std::size_t>(m_text.Size());
    for (const int side : {kSideBase, kSideLeft, kSideRight}) {
        const CSimpleBlock* alternative = selector.AlternativeOfSide(side);
        if (alternative == nullptr)
            continue;
        NIO::TBuffer<0> text;
        if (!alternative->WriteMerged(text))
            return false;
        gap.sides[static_cast<std::size_t>(side)].assign(reinterpret_cast<const char*>(text.Data()),
                                                         static_cast<std::size_t>(text.Size()));
    }
    m_gaps.push_back(std::move(gap));
    return true;
}
