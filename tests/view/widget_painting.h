#pragma once

#include <QImage>
#include <QWidget>

namespace ViewTest {

// What `widget` paints, on a magenta ground so that a spot it leaves
// unpainted shows.
inline QImage Paint(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

} // namespace ViewTest
