#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <random>

namespace NBench {

// Random choices that come out the same with every standard library: the
// engine's output is fixed by the standard, the distributions' is not, so the
// mapping onto a range is done here.
class CSeededRandom {
public:
    explicit CSeededRandom(std::uint64_t seed) : m_engine(seed) {}

    // A number in [0, bound); `bound` must not be 0. The modulo bias is below
    // 2^-40 for every bound a generator uses, which is far below what matters.
    std::uint64_t Below(std::uint64_t bound) { return m_engine() % bound; }

    // A number in [low, high].
    std::uint64_t Between(std::uint64_t low, std::uint64_t high) {
        return low + Below(high - low + 1);
    }

    // True in `perMille` of a thousand calls, on average.
    bool Chance(unsigned perMille) { return Below(1000) < perMille; }

    template <typename T, std::size_t N> const T& Pick(const std::array<T, N>& choices) {
        return choices[Below(N)];
    }

private:
    std::mt19937_64 m_engine;
};

} // namespace NBench
