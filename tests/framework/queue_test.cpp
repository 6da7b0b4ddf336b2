#include "framework/atomic_queue.h"
#include "framework/queue.h"
#include "framework/result.h"

#include <atomic>
#include <cstdint>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

using NPtr::CQueue;
using NPtr::PAtomicQueue;
using NPtr::TAtomicQueue;
using NPtr::THolder;

namespace {

// Queue elements are only compared, never dereferenced: encode numbers as pointers.
void* Item(std::uintptr_t i) {
    return reinterpret_cast<void*>(i + 1);
}

// Pops everything and checks it comes out as first, first + 1, ...
void ExpectDrainsInOrder(CQueue& queue, std::uintptr_t first, std::uintptr_t count) {
    for (std::uintptr_t i = 0; i < count; ++i)
        ASSERT_EQ(queue.Pop(), Item(first + i)) << "element " << i;
    EXPECT_EQ(queue.Pop(), nullptr);
    EXPECT_EQ(queue.Count(), 0u);
}

class CJobLike : public NPtr::CTarget {
public:
    explicit CJobLike(std::atomic<int>& destroyed) : m_destroyed(destroyed) {}
    ~CJobLike() override { ++m_destroyed; }

private:
    std::atomic<int>& m_destroyed;
};

} // namespace

// Pushes after pops wrap the ring round; growing must keep the order.
TEST(Queue, GrowingAWrappedRingKeepsTheOrder) {
    CQueue queue;
    EXPECT_EQ(queue.Pop(), nullptr);
    for (std::uintptr_t i = 0; i < 100; ++i)
        ASSERT_EQ(queue.Push(Item(i)), NResult::kOk);
    for (std::uintptr_t i = 0; i < 90; ++i)
        ASSERT_EQ(queue.Pop(), Item(i));
    for (std::uintptr_t i = 100; i < 400; ++i)
        ASSERT_EQ(queue.Push(Item(i)), NResult::kOk);
    EXPECT_EQ(queue.Peek(0), Item(90));
    EXPECT_EQ(queue.Peek(310), nullptr);
    ExpectDrainsInOrder(queue, 90, 310);
}

// Reserving exactly the count: the next push must grow before it overwrites.
TEST(Queue, ReserveOfTheCountStillGrowsOnThePush) {
    CQueue queue;
    for (std::uintptr_t i = 0; i < 5; ++i)
        queue.Push(Item(i));
    queue.Pop();
    EXPECT_EQ(queue.Reserve(3), NResult::kNoMoreData);
    ASSERT_EQ(queue.Reserve(4), NResult::kOk);
    queue.Push(Item(5));
    ExpectDrainsInOrder(queue, 1, 5);
    queue.Clear(true);
    queue.Push(Item(8));
    ExpectDrainsInOrder(queue, 8, 1);
}

TEST(AtomicQueue, EveryElementIsTakenExactlyOnceAcrossThreads) {
    constexpr std::uintptr_t kProducers = 3;
    constexpr std::uintptr_t kPerProducer = 20000;
    constexpr std::uintptr_t kTotal = kProducers * kPerProducer;
    TAtomicQueue<void> queue;
    std::vector<std::atomic<int>> taken(kTotal);
    std::atomic<std::uintptr_t> takenCount = 0;
    std::vector<std::thread> threads;
    for (std::uintptr_t p = 0; p < kProducers; ++p) {
        threads.emplace_back([&queue, p] {
            for (std::uintptr_t i = 0; i < kPerProducer; ++i)
                ASSERT_EQ(queue.Push(Item(p * kPerProducer + i)), NResult::kOk);
        });
    }
    for (int c = 0; c < 2; ++c) {
        threads.emplace_back([&] {
            while (takenCount < kTotal) {
                if (void* item = queue.Pop()) {
                    ++taken[reinterpret_cast<std::uintptr_t>(item) - 1];
                    ++takenCount;
                }
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    for (std::uintptr_t i = 0; i < kTotal; ++i)
        ASSERT_EQ(taken[i], 1) << "element " << i;
    EXPECT_EQ(queue.Count(), 0u);
}

TEST(RefQueue, HoldsOneReferencePerElementAndHandsItOverOnPop) {
    std::atomic<int> destroyed = 0;
    PAtomicQueue<CJobLike> queue;
    EXPECT_EQ(queue.Push(THolder<CJobLike>()), NResult::kInvalidArgument);
    THolder<CJobLike> job(new CJobLike(destroyed));
    ASSERT_EQ(queue.Push(job), NResult::kOk);
    EXPECT_EQ(job->ReferenceCount(), 2u);
    CJobLike* raw = job.Get();
    job.Reset();
    EXPECT_EQ(destroyed, 0) << "the queue keeps it alive";

    THolder<CJobLike> popped = queue.Pop();
    EXPECT_EQ(popped.Get(), raw);
    EXPECT_EQ(popped->ReferenceCount(), 1u);
    popped.Reset();
    EXPECT_EQ(destroyed, 1);
    EXPECT_FALSE(queue.Pop());
}

TEST(RefQueue, ClearReleasesTheQueuesReferences) {
    std::atomic<int> destroyed = 0;
    PAtomicQueue<CJobLike> queue;
    THolder<CJobLike> kept(new CJobLike(destroyed));
    queue.Push(kept);
    // Wrap the ring so that clearing has to walk across the end of storage.
    for (int i = 0; i < 100; ++i)
        queue.Push(THolder<CJobLike>(new CJobLike(destroyed)));
    for (int i = 0; i < 90; ++i)
        queue.Pop();
    EXPECT_EQ(destroyed, 89) << "the kept job was popped and released by the queue";
    for (int i = 0; i < 100; ++i)
        queue.Push(THolder<CJobLike>(new CJobLike(destroyed)));
    queue.Push(kept);
    EXPECT_EQ(kept->ReferenceCount(), 2u);

    queue.Clear(false);
    EXPECT_EQ(destroyed, 200);
    EXPECT_EQ(queue.Count(), 0u);
    EXPECT_EQ(kept->ReferenceCount(), 1u);
    EXPECT_GT(queue.Capacity(), 0u);
}
