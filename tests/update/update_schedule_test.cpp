#include "framework/result.h"
#include "services/flags.h"
#include "services/registry.h"
#include "services/settings_backend.h"
#include "services/settings_paths.h"
#include "update/update_schedule.h"

#include <QDateTime>
#include <QString>
#include <gtest/gtest.h>
#include <string>

namespace {

constexpr std::int64_t kTicksPerDay = 864000000000LL;

class UpdateSchedule : public ::testing::Test {
protected:
    UpdateSchedule() : m_scope(m_settings) {}

    NSettings::CMemoryBackend m_settings;
    NSettings::CScopedBackend m_scope;
};

TEST_F(UpdateSchedule, FrequencyFromTheFlagsWord) {
    const struct {
        std::uint32_t flags;
        int days;
    } cases[] = {
        {0x0, 0},        {0x100, 1},      {0x300, 7}, {0x200, 30}, {NSettings::kDefaultFlags, 7},
        {0xFFFFFCFF, 0}, {0xFFFFFDFF, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NUpdate::FrequencyDays(c.flags), c.days) << std::hex << c.flags;
}

TEST_F(UpdateSchedule, CurrentTimeCountsFromSixteenHundredOne) {
    // 1 January 1970 is 11644473600 seconds after 1 January 1601.
    const std::int64_t expected = (QDateTime::currentSecsSinceEpoch() + 11644473600LL) * 10000000LL;
    EXPECT_NEAR(static_cast<double>(NUpdate::CurrentFileTime()), static_cast<double>(expected),
                2.0 * 10000000);
}

TEST_F(UpdateSchedule, NextTimeIsDaysAheadOrNever) {
    const struct {
        int days;
        std::int64_t ahead; // -1: never
    } cases[] = {
        {1, kTicksPerDay}, {7, 7 * kTicksPerDay}, {0, -1}, {-5, -1}, {2147483647, -1},
    };
    for (const auto& c : cases) {
        const std::int64_t before = NUpdate::CurrentFileTime();
        NUpdate::SetNextUpdateTime(c.days);
        const std::int64_t after = NUpdate::CurrentFileTime();
        std::u16string stored;
        ASSERT_EQ(NSettings::ReadString(NSettings::kUpdateTimePath, stored), NResult::kOk);
        const std::int64_t due = QString::fromStdU16String(stored).toLongLong();
        if (c.ahead < 0) {
            EXPECT_EQ(stored, u"9223372036854775807") << c.days;
        } else {
            EXPECT_GE(due, before + c.ahead) << c.days;
            EXPECT_LE(due, after + c.ahead) << c.days;
        }
    }
}

TEST_F(UpdateSchedule, DueByStoredTimeUnlessNever) {
    const std::int64_t hour = kTicksPerDay / 24;
    const QString past = QString::number(NUpdate::CurrentFileTime() - hour);
    const QString future = QString::number(NUpdate::CurrentFileTime() + hour);
    const struct {
        const char16_t* stored; // null: none stored
        std::uint32_t frequency;
        bool due;
    } cases[] = {
        {nullptr, NSettings::kUpdateWeekly, true},
        {u"not a number", NSettings::kUpdateMonthly, true},
        {u"0", NSettings::kUpdateWeekly, true},
        {reinterpret_cast<const char16_t*>(past.utf16()), NSettings::kUpdateDaily, true},
        {reinterpret_cast<const char16_t*>(future.utf16()), NSettings::kUpdateDaily, false},
        {u"9223372036854775807", NSettings::kUpdateWeekly, false},
        {reinterpret_cast<const char16_t*>(past.utf16()), NSettings::kUpdateNever, false},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(NSettings::DeleteKey(NSettings::kRootPath), NResult::kOk);
        if (c.stored != nullptr) {
            ASSERT_EQ(NSettings::WriteString(NSettings::kUpdateTimePath, c.stored), NResult::kOk);
        }
        NSettings::CFlags flags;
        flags.Load(NSettings::kDefaultFlags);
        flags.Assign(NSettings::kUpdateFrequencyMask, c.frequency);
        EXPECT_EQ(NUpdate::IsUpdateDue(flags), c.due)
            << (c.stored ? QString::fromStdU16String(c.stored).toStdString() : "none") << " "
            << c.frequency;
    }
}

} // namespace
