#include "icons/icon_set.h"
#include "icons/image_strength.h"
#include "icons/svg_icon_engine.h"

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <gtest/gtest.h>

namespace {

QImage Premultiplied(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

TEST(SvgIconEngine, RendersAtTheDevicePixelsOfTheRequestedRatio) {
    struct SCase {
        int size;
        qreal ratio;
        int devicePixels;
    };
    const SCase cases[] = {{16, 1.0, 16}, {16, 2.0, 32}, {16, 1.5, 24}, {32, 1.0, 32}};
    const QIcon icon = ToolbarIcon(EToolbarImage::Save);
    for (const SCase& test : cases) {
        const QPixmap pixmap = icon.pixmap(QSize(test.size, test.size), test.ratio);
        EXPECT_EQ(pixmap.size(), QSize(test.devicePixels, test.devicePixels))
            << test.size << " at " << test.ratio;
        EXPECT_DOUBLE_EQ(pixmap.devicePixelRatio(), test.ratio)
            << test.size << " at " << test.ratio;
    }
}

TEST(SvgIconEngine, OnlyTheDisabledModeIsBlendedAtTheDisabledStrength) {
    struct SCase {
        QIcon::Mode mode;
        int strength;
    };
    const SCase cases[] = {{QIcon::Normal, kFullStrength},
                           {QIcon::Active, kFullStrength},
                           {QIcon::Selected, kFullStrength},
                           {QIcon::Disabled, kDisabledStrength}};
    const QIcon icon = ToolbarIcon(EToolbarImage::Open);
    const QImage normal = Premultiplied(icon.pixmap(QSize(16, 16), 1.0));
    for (const SCase& test : cases) {
        const QImage drawn = Premultiplied(icon.pixmap(QSize(16, 16), 1.0, test.mode));
        EXPECT_EQ(drawn, WithStrength(normal, test.strength)) << test.mode;
    }
}

// Painting through QIcon::paint on a double-ratio surface gives the same
// pixels as the double-ratio pixmap.
TEST(SvgIconEngine, PaintsAtThePainterDevicePixelRatio) {
    const QIcon icon = ToolbarIcon(EToolbarImage::NextConflict);
    QImage surface(32, 32, QImage::Format_ARGB32_Premultiplied);
    surface.setDevicePixelRatio(2.0);
    surface.fill(Qt::transparent);
    {
        QPainter painter(&surface);
        icon.paint(&painter, QRect(0, 0, 16, 16));
    }
    surface.setDevicePixelRatio(1.0);
    QImage expected = Premultiplied(icon.pixmap(QSize(16, 16), 2.0));
    expected.setDevicePixelRatio(1.0);
    EXPECT_EQ(surface, expected);
}

TEST(SvgIconEngine, AMissingSvgGivesANullIcon) {
    const QIcon icon(new CSvgIconEngine(QStringLiteral(":/icons/missing.svg")));
    EXPECT_TRUE(icon.isNull());
    EXPECT_TRUE(icon.pixmap(QSize(16, 16), 1.0).isNull());
}
