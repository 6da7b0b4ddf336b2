#pragma once

#include "compare/side_order.h"

#include <QColor>

// The colours that name the sides wherever the window shows them: the column
// titles, the overview's marks and the view's chosen alternatives.
namespace NSideColours {

inline constexpr QColor kBase{248, 239, 139};
inline constexpr QColor kLeft{155, 194, 227};
inline constexpr QColor kRight{124, 209, 109};
// An unresolved conflict.
inline constexpr QColor kConflict{255, 0, 0};

// The colour of kSideBase, kSideLeft or kSideRight; the base's for any other.
constexpr QColor OfSide(int side) {
    switch (side) {
    case kSideLeft:
        return kLeft;
    case kSideRight:
        return kRight;
    default:
        return kBase;
    }
}

} // namespace NSideColours
