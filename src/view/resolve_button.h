#pragma once

#include <QRect>

class CBlockSelector;

// A resolve button as painted: where it is in the view, in pixels of the
// visible area, and which alternative of which difference it chooses.
struct SResolveButton {
    QRect rect;
    CBlockSelector* selector = nullptr;
    int side = 0;
};
