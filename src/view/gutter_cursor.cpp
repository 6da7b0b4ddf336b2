#include "view/gutter_cursor.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <cmath>

namespace {

constexpr int kSize = 16;
// The tip of the arrow, top right.
constexpr int kHotX = 15;
constexpr int kHotY = 0;

} // namespace

QCursor GutterCursor() {
    const qreal ratio = qApp->devicePixelRatio();
    const int device = static_cast<int>(std::ceil(kSize * ratio));
    QImage image(device, device, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        QSvgRenderer(QStringLiteral(":/view/gutter-cursor.svg")).render(&painter);
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    return QCursor(pixmap, kHotX, kHotY);
}
