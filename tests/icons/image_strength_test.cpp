#include "icons/image_strength.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRgb>
#include <gtest/gtest.h>

namespace {

// A 1 x 1 premultiplied image holding `pixel` as it is stored.
QImage OnePixel(QRgb pixel) {
    QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
    *reinterpret_cast<QRgb*>(image.scanLine(0)) = pixel;
    return image;
}

QRgb StoredPixel(const QImage& image) {
    return *reinterpret_cast<const QRgb*>(image.constScanLine(0));
}

} // namespace

TEST(ImageStrength, ScalesEveryPremultipliedChannelAndRounds) {
    struct SCase {
        QRgb pixel;
        int strength;
        QRgb expected;
    };
    const SCase cases[] = {
        {qRgba(200, 100, 50, 255), kDisabledStrength, qRgba(25, 13, 6, 32)},
        {qRgba(64, 32, 0, 128), kDisabledStrength, qRgba(8, 4, 0, 16)},
        {qRgba(200, 100, 50, 255), kFullStrength, qRgba(200, 100, 50, 255)},
        {qRgba(200, 100, 50, 255), 0, qRgba(0, 0, 0, 0)},
        // Rounded to the nearest, not cut: 127/255 gives 0, 128/255 gives 1.
        {qRgba(127, 128, 255, 255), 1, qRgba(0, 1, 1, 1)},
        // Strengths outside 0..255 are clamped.
        {qRgba(200, 100, 50, 255), 300, qRgba(200, 100, 50, 255)},
        {qRgba(200, 100, 50, 255), -5, qRgba(0, 0, 0, 0)},
    };
    for (const SCase& test : cases) {
        const QImage result = WithStrength(OnePixel(test.pixel), test.strength);
        EXPECT_EQ(StoredPixel(result), test.expected)
            << std::hex << test.pixel << " at " << std::dec << test.strength;
    }
}

TEST(ImageStrength, PremultipliesAStraightAlphaImageFirst) {
    QImage straight(1, 1, QImage::Format_ARGB32);
    straight.setPixel(0, 0, qRgba(255, 0, 0, 128));
    const QImage result = WithStrength(straight, kFullStrength);
    EXPECT_EQ(result.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(StoredPixel(result), qRgba(128, 0, 0, 128));
}

// Drawn over the toolbar's face colour, a disabled image gives what filling
// the face colour and alpha-blending the image at 32/255 with per-pixel alpha
// gives: colour * 32/255 + face * (1 - alpha * 32/255²).
TEST(ImageStrength, DrawnOverTheFaceColourGivesTheConstantAlphaBlend) {
    struct SCase {
        QRgb pixel;
        QRgb expected;
    };
    const QColor face(240, 240, 240);
    const SCase cases[] = {
        {qRgba(200, 100, 50, 255), qRgb(235, 222, 216)},
        {qRgba(64, 32, 0, 128), qRgb(233, 229, 225)},
        {qRgba(0, 0, 0, 0), qRgb(240, 240, 240)},
    };
    for (const SCase& test : cases) {
        QImage surface(1, 1, QImage::Format_RGB32);
        surface.fill(face);
        {
            QPainter painter(&surface);
            painter.drawImage(0, 0, WithStrength(OnePixel(test.pixel), kDisabledStrength));
        }
        const QRgb drawn = surface.pixel(0, 0);
        // The painter's own rounding may differ by one step.
        EXPECT_NEAR(qRed(drawn), qRed(test.expected), 1) << std::hex << test.pixel;
        EXPECT_NEAR(qGreen(drawn), qGreen(test.expected), 1) << std::hex << test.pixel;
        EXPECT_NEAR(qBlue(drawn), qBlue(test.expected), 1) << std::hex << test.pixel;
    }
}
