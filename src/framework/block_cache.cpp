#include "framework/block_cache.h"

#include <algorithm>

namespace NMem {

void CBlockCache::Flush(CSmallBlockPools& pools) {
    for (int classIndex = kFirstCachedClass; classIndex < kSizeClassCount; ++classIndex)
        Return(classIndex, m_stocks[classIndex].count, pools);
}

bool CBlockCache::Refill(int classIndex, CSmallBlockPools& pools) {
    void* blocks[kBatchBlocks];
    const std::size_t taken = pools.AllocateBatch(classIndex, blocks, kBatchBlocks);
    SStock& stock = m_stocks[classIndex];
    // Linked backwards, so that they are handed out in the pools' order.
    for (std::size_t index = taken; index-- > 0;) {
        auto* link = static_cast<SLink*>(blocks[index]);
        link->next = stock.head;
        MarkFree(link, ClassBlockSize(classIndex));
        stock.head = link;
    }
    stock.count += taken;
    return taken != 0;
}

void CBlockCache::Return(int classIndex, std::size_t count, CSmallBlockPools& pools) {
    SStock& stock = m_stocks[classIndex];
    void* blocks[kBatchBlocks];
    while (count > 0) {
        const std::size_t batch = std::min(count, kBatchBlocks);
        for (std::size_t index = 0; index < batch; ++index) {
            SLink* block = stock.head;
            MarkInUse(block, ClassBlockSize(classIndex));
            stock.head = block->next;
            blocks[index] = block;
        }
        pools.ReleaseBatch(classIndex, blocks, batch);
        stock.count -= batch;
        count -= batch;
    }
}

} // namespace NMem
