#pragma once

#include <cstdint>

namespace NPtr {

// A 32-bit word of class-specific flag bits, the common base of streams, XML
// nodes, blocks and format-specification rules.
class CFlagWord {
public:
    std::uint32_t flags = 0;

    bool HasFlags(std::uint32_t mask) const { return (flags & mask) == mask; }
    bool HasAnyFlag(std::uint32_t mask) const { return (flags & mask) != 0; }
    void SetFlags(std::uint32_t mask) { flags |= mask; }
    void ClearFlags(std::uint32_t mask) { flags &= ~mask; }
};

} // namespace NPtr
