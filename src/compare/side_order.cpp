#include "compare/side_order.h"

void CSideOrder::Fill(bool threeWay) {
    if (threeWay)
        m_sides = {kSideLeft, kSideBase, kSideRight, kSideNone};
    else
        m_sides = {kSideLeft, kSideRight, kSideNone, kSideNone};
}

int CSideOrder::PositionOf(int side) const {
    for (int position = 0; position < Count(); ++position)
        if (m_sides[static_cast<std::size_t>(position)] == side)
            return position;
    return -1;
}
