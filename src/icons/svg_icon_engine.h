#pragma once

#include <QIconEngine>
#include <QImage>
#include <QString>
#include <memory>

class QSvgRenderer;

// Draws an icon from one SVG file (a Qt resource or a path) at exactly the
// device pixels it is shown at, so that it stays sharp at any size and pixel
// ratio instead of being scaled from a fixed bitmap. The disabled mode is the
// picture blended at kDisabledStrength; the other modes and states are the
// picture as it is. An SVG that cannot be read gives a null icon.
class CSvgIconEngine final : public QIconEngine {
public:
    explicit CSvgIconEngine(const QString& path);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override;
    // `size` is in device pixels: QIcon asks for the logical size times the
    // device pixel ratio and marks the pixmap with the ratio itself.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;
    bool isNull() override;

    // The picture rendered to `deviceSize` pixels for `mode` (premultiplied
    // ARGB, device pixel ratio 1); a null image for a null icon or an empty size.
    QImage Render(QSize deviceSize, QIcon::Mode mode) const;

private:
    // Shared by the clones: the file is parsed once.
    std::shared_ptr<QSvgRenderer> m_renderer;
};
