#include "merge/merged_text_with_gaps.h"

#include "compare/side_order.h"
#include "framework/job.h"
#include "framework/result.h"
#include "framework/thread.h"
#include "merge/block_building.h"
#include "merge/block_selector.h"
#include "merge/simple_block.h"

#include <algorithm>
#include <numeric>

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

bool CMergedTextWithGaps::WriteChildren(const CBlockBase& parent) {
    if (m_sharingThreads < 2 || !parent.HasChildrenAtLeast(kChildrenWorthSharing))
        return CBlockBase::WriteMergedRange(parent.FirstChildBlock(), nullptr, *this);
    std::vector<const CBlockBase*> children;
    for (const CBlockBase* child = parent.FirstChildBlock(); child != nullptr;
         child = child->NextSiblingBlock())
        children.push_back(child);
    const std::size_t count = children.size();
    // The first run goes straight into this stream, the others into parts;
    // nothing below shares out again while the threads are busy.
    const unsigned shares = m_sharingThreads;
    std::vector<CMergedTextWithGaps> parts(shares - 1);
    // Each part gets room for twice its share of what this stream has room
    // left for: the runs are cut by count, not by size. Room a part does not
    // fill is never touched, so it takes no memory; without room a part of a
    // large document would be copied each time it grew.
    const std::uint64_t room = std::uint64_t(m_text.Capacity()) - m_text.Size();
    for (CMergedTextWithGaps& part : parts)
        (void)part.Reserve(room * 2 / shares);
    // Not vector<bool>: each thread writes an element of its own.
    std::vector<char> written(shares, 0);
    std::vector<unsigned> runs(shares);
    std::iota(runs.begin(), runs.end(), 0u);
    m_sharingThreads = 1;
    NSys::ShareOutSideBySide<unsigned>(
        NSys::CJobThread::kStackSize, runs, shares, [&](const std::vector<unsigned>& share) {
            for (const unsigned run : share) {
                const CBlockBase* first = children[count * run / shares];
                const CBlockBase* end =
                    run + 1 < shares ? children[count * (run + 1) / shares] : nullptr;
                written[run] =
                    CBlockBase::WriteMergedRange(first, end, run == 0 ? *this : parts[run - 1]);
            }
        });
    m_sharingThreads = shares;
    if (std::ranges::count(written, 0) != 0)
        return false;
    return std::ranges::all_of(parts, [this](CMergedTextWithGaps& part) { return Join(part); });
}

bool CMergedTextWithGaps::Join(CMergedTextWithGaps& part) {
    const std::size_t start = static_cast<std::size_t>(m_text.Size());
    if (m_text.WriteBytes(part.m_text.Data(), static_cast<std::size_t>(part.m_text.Size())) !=
        NResult::kOk)
        return false;
    for (SGap& gap : part.m_gaps) {
        gap.offset += start;
        m_gaps.push_back(std::move(gap));
    }
    return true;
}
