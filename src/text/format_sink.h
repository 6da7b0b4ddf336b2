#pragma once

#include <algorithm>
#include <cstddef>
#include <type_traits>

// Destinations the formatter writes into. Each takes whole characters at a
// time (`Put`) or runs of one unit (`PutRepeated`).
namespace NString {

// Counts what would be written, so that a growing string can be sized once.
template <typename T> class TCountingSink {
public:
    using CharType = T;

    void SkipExistingText() {}
    void Put(const T*, std::size_t count) { m_length += count; }
    void PutRepeated(T, std::size_t count) { m_length += count; }
    std::size_t Length() const { return m_length; }

private:
    std::size_t m_length = 0;
};

// Writes into a caller's buffer of known capacity (at least 1), never beyond
// it. Output that does not fit is cut at the last whole character, and
// nothing after the cut is written, so the buffer always holds a clean prefix.
template <typename T> class TBufferSink {
public:
    using CharType = T;

    TBufferSink(T* buffer, std::size_t capacity) : m_buffer(buffer), m_limit(capacity - 1) {}

    // Continues after the text already in the buffer. An unterminated buffer
    // counts as full; `Finish` then terminates it in its last unit.
    void SkipExistingText() {
        while (m_position < m_limit && m_buffer[m_position] != 0)
            ++m_position;
    }

    void Put(const T* units, std::size_t count) {
        const std::size_t room = Room();
        if (count > room) {
            Cut();
            count = WholeCharactersBefore(units, room);
        }
        std::copy_n(units, count, m_buffer + m_position);
        m_position += count;
    }

    void PutRepeated(T unit, std::size_t count) {
        const std::size_t room = Room();
        if (count > room) {
            Cut();
            count = room;
        }
        std::fill_n(m_buffer + m_position, count, unit);
        m_position += count;
    }

    // Terminates the buffer and returns the units written before the terminator.
    std::size_t Finish() {
        m_buffer[m_position] = 0;
        return m_position;
    }

private:
    // Units that may still be written; none once the output was cut.
    std::size_t Room() const { return m_cut ? 0 : m_limit - m_position; }
    void Cut() { m_cut = true; }

    // Moves a cut after `cut` units of `units` (of which more follow) back
    // so that it does not split a UTF-8 sequence or a surrogate pair.
    static std::size_t WholeCharactersBefore(const T* units, std::size_t cut) {
        if constexpr (std::is_same_v<T, char>) {
            while (cut > 0 && (static_cast<unsigned char>(units[cut]) & 0xC0) == 0x80)
                --cut;
        } else {
            const bool splitsPair = cut > 0 && units[cut] >= 0xDC00 && units[cut] <= 0xDFFF &&
                                    units[cut - 1] >= 0xD800 && units[cut - 1] <= 0xDBFF;
            if (splitsPair)
                --cut;
        }
        return cut;
    }

    T* m_buffer;
    std::size_t m_limit;
    std::size_t m_position = 0;
    bool m_cut = false;
};

} // namespace NString
