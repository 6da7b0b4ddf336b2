#include "framework/window/back_buffer.h"

#include <QPainter>
#include <QRect>
#include <QSize>

namespace NWindows {

QImage& CBackBuffer::Surface(const QSize& size, qreal devicePixelRatio, bool exact) {
    const QSize pixels = (QSizeF(size) * devicePixelRatio).toSize();
    const QSize present = m_image.size();
    const bool fits =
        m_image.devicePixelRatio() == devicePixelRatio &&
        (exact ? present == pixels
               : present.width() >= pixels.width() && present.height() >= pixels.height());
    if (m_image.isNull() || !fits) {
        m_image = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        m_image.setDevicePixelRatio(devicePixelRatio);
    }
    return m_image;
}

void CBackBuffer::CopyTo(QPainter& target, const QRect& area) const {
    const qreal ratio = m_image.devicePixelRatio();
    const QRectF source(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio);
    target.drawImage(QRectF(area), m_image, source);
}

} // namespace NWindows
