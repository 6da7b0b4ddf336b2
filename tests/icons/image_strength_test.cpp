#include "icons/image_strength.h"

#include <QImage>
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
