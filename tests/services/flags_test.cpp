#include "recording_backend.h"
#include "services/flags.h"
#include "services/registry.h"

#include <gtest/gtest.h>
#include <latch>
#include <string>
#include <thread>
#include <vector>

using namespace NSettings;

namespace {

class Flags : public ::testing::Test {
protected:
    int FlagWrites() const { return backend.WritesTo(kFlagsPath); }
    std::uint32_t Stored() const { return ReadDword(kFlagsPath, kFlagsSentinel); }

    NSettingsTest::CRecordingBackend backend;
    CFlags flags;
};

} // namespace

TEST_F(Flags, WithNothingStoredTheDefaultsFillThePersistedBits) {
    flags.Set(kFlagSilent | kFlagLoadFailed);
    flags.Load(kDefaultFlags);
    EXPECT_EQ(flags.Value() & kPersistedFlagMask, 0x40100300u);
    EXPECT_EQ(flags.Value() & ~kPersistedFlagMask, kFlagSilent | kFlagLoadFailed)
        << "bits 0-7 stay as they were";
    EXPECT_TRUE(flags.Has(kFlagToolbar | kFlagOverviewPane));
    EXPECT_EQ(flags.Value() & kUpdateFrequencyMask, kUpdateWeekly);
    EXPECT_FALSE(flags.HasAny(kFlagMerge | kFlagThreeWay));
    EXPECT_EQ(FlagWrites(), 0) << "loading writes nothing";
}

TEST_F(Flags, StoredWordReplacesOnlyThePersistedBits) {
    flags.Set(kFlagToolbar | kFlagReportRequested);
    // A hand-made stored word with low bits set: they must not leak in.
    WriteDword(kFlagsPath, kFlagMerge | kFlagThreeWay | 0xFF);
    flags.Load(kDefaultFlags);
    EXPECT_EQ(flags.Value(), kFlagMerge | kFlagThreeWay | kFlagReportRequested);

    // A stored zero is a real word, not a missing one.
    WriteDword(kFlagsPath, 0);
    flags.Load(kDefaultFlags);
    EXPECT_EQ(flags.Value(), kFlagReportRequested);

    // A value of the wrong type counts as missing.
    WriteString(kFlagsPath, u"1");
    flags.Load(kDefaultFlags);
    EXPECT_EQ(flags.Value(), kDefaultFlags | kFlagReportRequested);
}

TEST_F(Flags, PersistedBitsAreWrittenAtOnceRunOnlyBitsNever) {
    struct SStep {
        void (*change)(CFlags&);
        int writes;
        std::uint32_t stored;
    };
    const SStep steps[] = {
        {[](CFlags& f) { f.Set(kFlagSilent); }, 0, kFlagsSentinel},
        {[](CFlags& f) { f.Set(kFlagMaximised); }, 1, kFlagMaximised},
        {[](CFlags& f) { f.Change(kFlagLoadFailed, true); }, 1, kFlagMaximised},
        {[](CFlags& f) { f.Assign(0xFF, kFlagChosenInOpenDialog); }, 1, kFlagMaximised},
        {[](CFlags& f) { f.Clear(kFlagMaximised); }, 2, 0},
        {[](CFlags& f) { f.Change(kFlagMerge | kFlagSilent, true); }, 3, kFlagMerge},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i].change(flags);
        EXPECT_EQ(FlagWrites(), steps[i].writes) << "step " << i;
        EXPECT_EQ(Stored(), steps[i].stored) << "step " << i;
    }
    EXPECT_EQ(flags.Value(), kFlagChosenInOpenDialog | kFlagMerge | kFlagSilent);
}

TEST_F(Flags, SaveWritesTheMaskedWord) {
    flags.Load(kDefaultFlags);
    flags.Set(kFlagSilent | kFlagResultUnsaved);
    EXPECT_EQ(flags.Save(), NResult::kOk);
    EXPECT_EQ(Stored(), kDefaultFlags);
    backend.FailStores(true);
    EXPECT_EQ(flags.Save(), kStoreFailed);
}

TEST_F(Flags, ConcurrentChangesLoseNoBit) {
    // Each thread owns one run-only and one persisted bit and toggles them:
    // the run-only one in a tight loop, the persisted one (which saves) now
    // and then. Even threads finish with their bits set, odd ones clear.
    constexpr int kThreads = 8;
    constexpr int kRounds = 300000;
    constexpr int kRoundsPerSave = 1000;
    flags.Load(0);
    std::latch start(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([this, t, &start] {
            start.arrive_and_wait();
            const std::uint32_t runOnly = 0x1u << t;
            const std::uint32_t persisted = 0x100u << t;
            int lost = 0;
            for (int round = 0; round < kRounds; ++round) {
                const std::uint32_t mine =
                    round % kRoundsPerSave == 0 ? runOnly | persisted : runOnly;
                flags.Set(mine);
                lost += flags.Has(mine) ? 0 : 1;
                flags.Clear(mine);
                lost += flags.HasAny(mine) ? 1 : 0;
            }
            EXPECT_EQ(lost, 0) << "thread " << t;
            if (t % 2 == 0)
                flags.Change(runOnly | persisted, true);
        });
    }
    for (std::thread& thread : threads)
        thread.join();

    std::uint32_t expected = 0;
    for (int t = 0; t < kThreads; t += 2)
        expected |= (0x100u << t) | (0x1u << t);
    EXPECT_EQ(flags.Value(), expected);
    EXPECT_EQ(Stored(), expected & kPersistedFlagMask)
        << "the last save must not carry an older word";
}
