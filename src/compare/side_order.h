#pragma once

#include <array>
#include <cstdint>

// Per-side arrays of three are indexed by these. Two pseudo-sides: no side
// at all, and every side at once.
enum : int {
    kSideBase = 0,
    kSideLeft = 1,
    kSideRight = 2,
    kSideNone = 4,
    kSideAll = 5,
};

// The sides of an operation in column order: left, base, right in a
// three-way operation, left, right in a two-way one. A resolution of the
// merge model is a position in this order.
class CSideOrder {
public:
    CSideOrder() { Fill(false); }
    explicit CSideOrder(bool threeWay) { Fill(threeWay); }

    void Fill(bool threeWay);

    bool IsThreeWay() const { return m_sides[2] != kSideNone; }
    // 2 or 3.
    int Count() const { return IsThreeWay() ? 3 : 2; }
    // The side at `position`; kSideNone past the last.
    int operator[](int position) const {
        return position >= 0 && position < 4 ? m_sides[static_cast<std::size_t>(position)]
                                             : kSideNone;
    }
    // The position of `side`, -1 when the operation does not use it.
    int PositionOf(int side) const;

    const int* begin() const { return m_sides.data(); }
    const int* end() const { return m_sides.data() + Count(); }

private:
    std::array<int, 4> m_sides{};
};
