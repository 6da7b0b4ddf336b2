#include "framework/block_cache.h"

#include <algorithm>

namespace NMem {

void CBlockCache::Flush(CSmallBlockPools& pools) {
    for (int classIndex = kFirstCachedClass; classIndex < kSizeClassCount; ++classIndex)
        Return(classIndex, m_stocks[classIndex].count, pools);
}

bool CBlockCache::Refill(int classIndex, CSmallBlockPools& pools) {
    SStock& stock = m_stocks[classIndex];
    void** top = stock.blocks + stock.count;
    const std::size_t taken = pools.AllocateBatch(classIndex, top, kBatchBlocks);
    // Taken from the top down, they are handed out in the pools' order.
    std::reverse(top, top + taken);
    for (std::size_t index = 0; index < taken; ++index)
        MarkFree(top[index], ClassBlockSize(classIndex));
    stock.count += taken;
    return taken != 0;
}

void CBlockCache::Return(int classIndex, std::size_t count, CSmallBlockPools& pools) {
    SStock& stock = m_stocks[classIndex];
    stock.count -= count;
    void** top = stock.blocks + stock.count;
    for (std::size_t index = 0; index < count; ++index)
        MarkInUse(top[index], ClassBlockSize(classIndex));
    pools.ReleaseBatch(classIndex, top, count);
}

} // namespace NMem
