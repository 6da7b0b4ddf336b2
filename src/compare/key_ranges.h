#pragma once

#include "compare/correspondence_key.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The ranges that each key holds in an array of entries grouped by key, found
// by hashing: an open-addressing table at most three quarters full whose
// slots hold the ranges themselves. Among a million keys a lookup costs one
// or two cache misses, where a binary search of the entries would take one at
// nearly every step.
class CKeyRanges {
public:
    // One key's entries, `first` to before `end`. A slot with `end` 0 is
    // empty. 32-bit positions keep a slot at 16 bytes.
    struct SRange {
        TMatchKey key = 0;
        std::uint32_t first = 0;
        std::uint32_t end = 0;
    };

    // Replaces the table with `ranges`: distinct keys, none empty.
    void Assign(const std::vector<SRange>& ranges);

    // The range of `key`, or null.
    const SRange* Find(TMatchKey key) const;
    SRange* Find(TMatchKey key);

    // The slot where a lookup of `key` starts, for loading it ahead of the
    // lookup; null in an empty table. It may hold another key's range.
    const SRange* HomeSlot(TMatchKey key) const {
        return m_table.empty() ? nullptr : &m_table[SlotOf(key)];
    }

private:
    // Keys are hashes already; their high bits choose the slot.
    std::size_t SlotOf(TMatchKey key) const {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> m_shift);
    }

    std::vector<SRange> m_table;
    int m_shift = 63;
};
