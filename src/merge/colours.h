#pragma once

#include <cstdint>

// A colour as the view paints it: 0x00BBGGRR.
using COLORREF = std::uint32_t;
