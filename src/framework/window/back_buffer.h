#pragma once

#include <QImage>

class QPainter;
class QRect;
class QSize;

namespace NWindows {

// An off-screen surface for flicker-free painting: a widget draws a whole
// frame into it and then copies the part that needs repainting to the screen
// in one step. The surface is made again only when a frame no longer fits,
// so resizing a window by a few pixels at a time does not reallocate it.
class CBackBuffer {
public:
    // The surface to draw a frame of `size` (device-independent pixels) at
    // `devicePixelRatio` into. The present surface is kept when it holds that
    // size, unless `exact` asks for exactly that size.
    QImage& Surface(const QSize& size, qreal devicePixelRatio, bool exact = false);

    // Copies `area` (device-independent pixels, from the surface's top left)
    // to the same place on `target`.
    void CopyTo(QPainter& target, const QRect& area) const;

private:
    QImage m_image;
};

} // namespace NWindows
