#include "icons/svg_icon_engine.h"

#include "icons/image_strength.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

CSvgIconEngine::CSvgIconEngine(const QString& path)
    : m_renderer(std::make_shared<QSvgRenderer>(path)) {}

QImage CSvgIconEngine::Render(QSize deviceSize, QIcon::Mode mode) const {
    if (!m_renderer->isValid() || deviceSize.isEmpty())
        return {};
    QImage image(deviceSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        m_renderer->render(&painter);
    }
    return mode == QIcon::Disabled ? WithStrength(image, kDisabledStrength) : image;
}

QPixmap CSvgIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) {
    return QPixmap::fromImage(Render(size, mode));
}

void CSvgIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) {
    const qreal ratio = painter->device()->devicePixelRatioF();
    QImage image = Render((QSizeF(rect.size()) * ratio).toSize(), mode);
    image.setDevicePixelRatio(ratio);
    painter->drawImage(rect, image);
}

QIconEngine* CSvgIconEngine::clone() const {
    return new CSvgIconEngine(*this);
}

QString CSvgIconEngine::key() const {
    return QStringLiteral("QuillmereSvg");
}

bool CSvgIconEngine::isNull() {
    return !m_renderer->isValid();
}
