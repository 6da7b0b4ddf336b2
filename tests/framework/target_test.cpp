#include "framework/target.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

using NPtr::CTarget;
using NPtr::THolder;
using NPtr::TWeakHolder;

namespace {

// Counts its destructions and, when asked, records the thread that destroyed it.
class CCounted : public CTarget {
public:
    static constexpr std::uint32_t kAlive = 0xA11CE;

    explicit CCounted(std::atomic<int>& destroyed, std::thread::id* destroyedOn = nullptr)
        : m_destroyed(destroyed), m_destroyedOn(destroyedOn) {}
    ~CCounted() override {
        magic = 0;
        if (m_destroyedOn != nullptr)
            *m_destroyedOn = std::this_thread::get_id();
        ++m_destroyed;
    }

    std::uint32_t magic = kAlive;

private:
    std::atomic<int>& m_destroyed;
    std::thread::id* m_destroyedOn;
};

class CDerived : public CCounted {
public:
    using CCounted::CCounted;
};

} // namespace

TEST(Holder, CountsReferencesAndDestroysWithTheLastOne) {
    std::atomic<int> destroyed = 0;
    auto* object = new CCounted(destroyed);
    EXPECT_EQ(object->ReferenceCount(), 0u);
    {
        THolder<CCounted> first(object);
        EXPECT_EQ(object->ReferenceCount(), 1u);
        {
            THolder<CCounted> copy = first;
            EXPECT_EQ(object->ReferenceCount(), 2u);
            THolder<CCounted> moved = std::move(copy);
            EXPECT_FALSE(copy);
            EXPECT_EQ(object->ReferenceCount(), 2u);
        }
        EXPECT_EQ(object->ReferenceCount(), 1u);
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 1);
}

TEST(Holder, AssignmentConversionAdoptAndDetach) {
    std::atomic<int> destroyed = 0;
    THolder<CDerived> derived(new CDerived(destroyed));
    THolder<CCounted> holder = derived;
    EXPECT_EQ(holder->ReferenceCount(), 2u);
    derived.Reset();
    holder = THolder<CCounted>(new CCounted(destroyed));
    EXPECT_EQ(destroyed, 1) << "assignment releases the previous object";
    holder = holder; // self-assignment keeps the object
    EXPECT_EQ(holder->ReferenceCount(), 1u);

    // Adopt and Detach hand a reference over without counting.
    CCounted* raw = holder.Detach();
    EXPECT_EQ(raw->ReferenceCount(), 1u);
    holder = THolder<CCounted>::Adopt(raw);
    EXPECT_EQ(raw->ReferenceCount(), 1u);
    holder = nullptr;
    EXPECT_EQ(destroyed, 2);
}

TEST(Target, LastReleaseOnAnotherThreadDestroysThere) {
    std::atomic<int> destroyed = 0;
    std::thread::id destroyedOn;
    THolder<CCounted> holder(new CCounted(destroyed, &destroyedOn));
    THolder<CCounted> kept = holder;
    std::thread other([moved = std::move(holder)]() mutable { moved.Reset(); });
    other.join();
    EXPECT_EQ(destroyed, 0) << "the other thread did not hold the last reference";
    std::thread last([moved = std::move(kept)]() mutable { moved.Reset(); });
    const std::thread::id lastId = last.get_id();
    last.join();
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(destroyedOn, lastId);
    EXPECT_NE(destroyedOn, std::this_thread::get_id());
}

TEST(Target, ConcurrentCopiesKeepTheCountExact) {
    std::atomic<int> destroyed = 0;
    THolder<CCounted> holder(new CCounted(destroyed));
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&holder] {
            for (int i = 0; i < 100000; ++i) {
                THolder<CCounted> copy = holder;
                ASSERT_GE(copy->ReferenceCount(), 2u);
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(holder->ReferenceCount(), 1u);
    EXPECT_EQ(destroyed, 0);
    holder.Reset();
    EXPECT_EQ(destroyed, 1);
}

TEST(WeakHolder, ReachesALiveTargetAndNothingAfterItsDestruction) {
    std::atomic<int> destroyed = 0;
    THolder<CCounted> holder(new CCounted(destroyed));
    TWeakHolder<CCounted> weak(holder.Get());
    EXPECT_EQ(holder->ReferenceCount(), 1u) << "a weak holder does not keep the target";
    {
        THolder<CCounted> promoted = weak.Lock();
        ASSERT_TRUE(promoted);
        EXPECT_EQ(promoted.Get(), holder.Get());
        EXPECT_EQ(holder->ReferenceCount(), 2u);
    }
    holder.Reset();
    EXPECT_EQ(destroyed, 1);
    EXPECT_FALSE(weak.Lock());
}

TEST(WeakHolder, CannotRaiseAnUnheldTarget) {
    std::atomic<int> destroyed = 0;
    auto* object = new CCounted(destroyed);
    TWeakHolder<CCounted> weak(object);
    EXPECT_FALSE(weak.Lock()) << "a count of zero is final";
    THolder<CCounted> holder(object);
    EXPECT_TRUE(weak.Lock());
}

// Takes its time to die, which widens the window in which a weak holder may
// try to promote a target whose count has reached zero.
class CSlowToDie : public CCounted {
public:
    using CCounted::CCounted;
    ~CSlowToDie() override {
        for (int i = 0; i < 20; ++i)
            std::this_thread::yield();
    }
};

// Weak holders promote on several threads while the last strong holder lets
// go: every promotion must yield a live object and it must die exactly once.
TEST(WeakHolder, PromotionRacingTheLastReleaseIsSafe) {
    constexpr int kRounds = 2000;
    constexpr int kLockers = 3;
    constexpr int kAttempts = 200;
    for (int round = 0; round < kRounds; ++round) {
        std::atomic<int> destroyed = 0;
        THolder<CSlowToDie> holder(new CSlowToDie(destroyed));
        TWeakHolder<CSlowToDie> weak(holder.Get());
        std::atomic<int> promotions = 0;
        std::atomic<int> deadObjectsSeen = 0;
        std::vector<std::thread> lockers;
        for (int t = 0; t < kLockers; ++t) {
            lockers.emplace_back([&] {
                // Bounded, or the lockers could keep the target alive among themselves.
                for (int attempt = 0; attempt < kAttempts; ++attempt) {
                    THolder<CSlowToDie> promoted = weak.Lock();
                    if (!promoted)
                        break;
                    if (promoted->magic != CCounted::kAlive)
                        ++deadObjectsSeen;
                    ++promotions;
                }
            });
        }
        // Let go only once the lockers are busy promoting.
        while (promotions < kLockers)
            std::this_thread::yield();
        holder.Reset();
        for (auto& locker : lockers)
            locker.join();
        ASSERT_EQ(destroyed, 1) << "round " << round;
        ASSERT_EQ(deadObjectsSeen, 0) << "round " << round;
        ASSERT_FALSE(weak.Lock());
    }
}
