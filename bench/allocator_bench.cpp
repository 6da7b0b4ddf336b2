#include "framework/allocator.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <vector>

// Allocation throughput of the small-block allocator against the C heap, for
// three block sizes, on one and two threads.
namespace {

constexpr int kBatchSize = 1000;

struct SPoolAllocator {
    static void* Allocate(std::size_t size) { return NMem::Allocate(size); }
    static void Release(void* block) { NMem::Release(block); }
};

struct SHeapAllocator {
    static void* Allocate(std::size_t size) { return std::malloc(size); }
    static void Release(void* block) { std::free(block); }
};

// Touches the block so that neither the allocation nor the store is optimised away.
void Use(void* block) {
    *static_cast<volatile char*>(block) = 1;
    benchmark::DoNotOptimize(block);
}

// Builds a batch of blocks, as a parser builds a tree, then frees it in order.
template <typename TAllocator> void BatchThenFree(benchmark::State& state) {
    const auto size = static_cast<std::size_t>(state.range(0));
    std::vector<void*> blocks(kBatchSize);
    for (auto _ : state) {
        for (void*& block : blocks) {
            block = TAllocator::Allocate(size);
            Use(block);
        }
        for (void* block : blocks)
            TAllocator::Release(block);
    }
    state.SetItemsProcessed(state.iterations() * kBatchSize);
}

// A short-lived object: allocated, used and freed at once.
template <typename TAllocator> void AllocateFreePairs(benchmark::State& state) {
    const auto size = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        void* block = TAllocator::Allocate(size);
        Use(block);
        TAllocator::Release(block);
    }
    state.SetItemsProcessed(state.iterations());
}

void BlockSizesAndThreads(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(16)->Arg(64)->Arg(976)->Threads(1)->Threads(2)->UseRealTime();
}

BENCHMARK_TEMPLATE(BatchThenFree, SPoolAllocator)->Apply(BlockSizesAndThreads);
BENCHMARK_TEMPLATE(BatchThenFree, SHeapAllocator)->Apply(BlockSizesAndThreads);
BENCHMARK_TEMPLATE(AllocateFreePairs, SPoolAllocator)->Apply(BlockSizesAndThreads);
BENCHMARK_TEMPLATE(AllocateFreePairs, SHeapAllocator)->Apply(BlockSizesAndThreads);

} // namespace

BENCHMARK_MAIN();
