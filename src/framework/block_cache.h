#pragma once

#include "framework/asan_poison.h"
#include "framework/small_block_pools.h"

#include <cstddef>

namespace NMem {

// One thread's stock of free pooled blocks, so that most allocations and
// releases take no lock: blocks come from the pools and go back to them in
// batches, each batch under one lock. The stock is an array of addresses, so
// keeping or handing out a block never touches the block's own memory. The
// blocks of the three smallest classes, whose sanitizer marks cover their
// neighbours as well, bypass the cache. A cached block is free for the
// sanitizer (poisoned), like one on a page.
//
// Trivially constructible and destructible, so that a thread-local cache
// needs no initialisation on the fast path; whoever owns it calls Flush
// before it goes away.
class CBlockCache {
public:
    // Classes from here on are cached.
    static constexpr int kFirstCachedClass = 3;

    // A block of class `classIndex` (at least kFirstCachedClass), refilling
    // the stock from `pools` when it is empty; null when the pools have none.
    void* Allocate(int classIndex, CSmallBlockPools& pools) {
        SStock& stock = m_stocks[classIndex];
        if (stock.count == 0 && !Refill(classIndex, pools))
            return nullptr;
        void* block = stock.blocks[--stock.count];
        MarkInUse(block, ClassBlockSize(classIndex));
        return block;
    }

    // Keeps `block`, of class `classIndex` from `pools`, handing a batch
    // back when the stock is full.
    void Release(int classIndex, void* block, CSmallBlockPools& pools) {
        SStock& stock = m_stocks[classIndex];
        if (stock.count == kStockSize)
            Return(classIndex, kBatchBlocks, pools);
        // Released twice, the block is poisoned already and the sanitizer
        // build stops here.
        CheckInUse(block);
        MarkFree(block, ClassBlockSize(classIndex));
        stock.blocks[stock.count++] = block;
    }

    // Hands every cached block back to `pools`.
    void Flush(CSmallBlockPools& pools);

private:
    // Blocks moved between a cache and the pools in one go.
    static constexpr std::size_t kBatchBlocks = 32;
    static constexpr std::size_t kStockSize = 2 * kBatchBlocks;

    struct SStock {
        void* blocks[kStockSize];
        std::size_t count;
    };

    bool Refill(int classIndex, CSmallBlockPools& pools);
    // Hands the top `count` blocks of the stock back to `pools`.
    void Return(int classIndex, std::size_t count, CSmallBlockPools& pools);

    SStock m_stocks[kSizeClassCount];
};

} // namespace NMem
