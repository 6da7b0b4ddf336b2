#include "update/update_schedule.h"

#include "framework/result.h"
#include "services/registry.h"
#include "services/settings_paths.h"

#include <QDateTime>
#include <limits>
#include <string>

namespace NUpdate {

namespace {

constexpr std::int64_t kTicksPerMillisecond = 10000;
constexpr std::int64_t kTicksPerDay = 24LL * 60 * 60 * 1000 * kTicksPerMillisecond;
// Milliseconds from 1 January 1601 to 1 January 1970.
constexpr std::int64_t kEpochDifferenceMs = 11644473600000LL;

} // namespace

std::int64_t CurrentFileTime() {
    return (QDateTime::currentMSecsSinceEpoch() + kEpochDifferenceMs) * kTicksPerMillisecond;
}

std::int64_t ReadUpdateTime() {
    std::u16string stored;
    if (NSettings::ReadString(NSettings::kUpdateTimePath, stored) != NResult::kOk)
        return 0;
    bool ok = false;
    const std::int64_t time = QString::fromStdU16String(stored).trimmed().toLongLong(&ok);
    return ok ? time : 0;
}

void SetNextUpdateTime(int days) {
    std::int64_t due = NSettings::kUpdateTimeNever;
    const std::int64_t now = CurrentFileTime();
    // So many days that the sum would overflow are as good as never.
    if (days >= 1 && days < (NSettings::kUpdateTimeNever - now) / kTicksPerDay)
        due = now + days * kTicksPerDay;
    NSettings::WriteString(NSettings::kUpdateTimePath,
                           QString::number(due).toStdU16String().c_str());
}

int FrequencyDays(std::uint32_t flagsValue) {
    switch (flagsValue & NSettings::kUpdateFrequencyMask) {
    case NSettings::kUpdateDaily:
        return 1;
    case NSettings::kUpdateWeekly:
        return 7;
    case NSettings::kUpdateMonthly:
        return 30;
    default:
        return 0;
    }
}

bool IsUpdateDue(const NSettings::CFlags& flags) {
    return FrequencyDays(flags.Value()) > 0 && CurrentFileTime() >= ReadUpdateTime();
}

} // namespace NUpdate
