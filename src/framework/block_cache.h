#pragma once

#include "framework/asan_poison.h"
#include "framework/small_block_pools.h"

#include <cstddef>

namespace NMem {

// One thread's stock of free pooled blocks, so that most allocations and
// releases take no lock: blocks come from the pools and go back to them in
// batches, each batch under one lock. Blocks of the three smallest classes
// are too small to link and bypass the cache. A cached block is free for the
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
        if (stock.head == nullptr && !Refill(classIndex, pools))
            return nullptr;
        SLink* block = stock.head;
        MarkInUse(block, ClassBlockSize(classIndex));
        stock.head = block->next;
        --stock.count;
        return block;
    }

    // Keeps `block`, of class `classIndex` from `pools`, handing half the
    // stock back when it is full.
    void Release(int classIndex, void* block, CSmallBlockPools& pools) {
        SStock& stock = m_stocks[classIndex];
        if (stock.count >= StockLimit(classIndex))
            Return(classIndex, stock.count / 2, pools);
        // Released twice, the block is poisoned already and the sanitizer
        // build stops at this store.
        auto* link = static_cast<SLink*>(block);
        link->next = stock.head;
        MarkFree(block, ClassBlockSize(classIndex));
        stock.head = link;
        ++stock.count;
    }

    // Hands every cached block back to `pools`.
    void Flush(CSmallBlockPools& pools);

private:
    struct SLink {
        SLink* next;
    };
    struct SStock {
        SLink* head;
        std::size_t count;
    };

    // Blocks moved between a cache and the pools in one go.
    static constexpr std::size_t kBatchBlocks = 32;
    // A stock of a class holds at most this many bytes, but at least two batches.
    static constexpr std::size_t kStockBytes = 32 * 1024;

    static constexpr std::size_t StockLimit(int classIndex) {
        const std::size_t byBytes = kStockBytes / ClassBlockSize(classIndex);
        return byBytes > 2 * kBatchBlocks ? byBytes : 2 * kBatchBlocks;
    }

    bool Refill(int classIndex, CSmallBlockPools& pools);
    // Hands `count` blocks from the top of the stock back to `pools`.
    void Return(int classIndex, std::size_t count, CSmallBlockPools& pools);

    SStock m_stocks[kSizeClassCount];
};

} // namespace NMem
