#pragma once

#include <cstdint>

// A display line number; also "no line" where one is asked for and none exists.
using TLine = std::uint32_t;
constexpr TLine kNoLine = 0xFFFFFFFF;
