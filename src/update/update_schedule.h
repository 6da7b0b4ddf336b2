#pragma once

#include "services/flags.h"

#include <cstdint>

// When the automatic update check is due. The due time is kept as a count of
// 100-nanosecond intervals since 1 January 1601 (UTC); the frequency lives in
// the flags word.
namespace NUpdate {

// The current time in the due time's unit.
std::int64_t CurrentFileTime();

// The stored due time; 0 (due at once) when it is missing, empty or not a
// number.
std::int64_t ReadUpdateTime();

// Stores now plus `days`; days < 1: never.
void SetNextUpdateTime(int days);

// The days between automatic checks for a flags word: 1, 7, 30, or 0 for Never.
int FrequencyDays(std::uint32_t flagsValue);

// Whether the automatic check should run now. With the frequency Never it
// never does, whatever time is stored.
bool IsUpdateDue(const NSettings::CFlags& flags);

} // namespace NUpdate
