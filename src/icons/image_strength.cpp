#include "icons/image_strength.h"

#include <QRgb>
#include <algorithm>

namespace {

// `value` times `strength` / 255, rounded to the nearest integer.
int Scale(int value, int strength) {
    return (value * strength + 127) / 255;
}

} // namespace

QImage WithStrength(const QImage& image, int strength) {
    strength = std::clamp(strength, 0, kFullStrength);
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < result.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const QRgb pixel = row[x];
            row[x] = qRgba(Scale(qRed(pixel), strength), Scale(qGreen(pixel), strength),
                           Scale(qBlue(pixel), strength), Scale(qAlpha(pixel), strength));
        }
    }
    return result;
}
