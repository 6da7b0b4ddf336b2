#pragma once

#include <QImage>

// Overall strengths, out of 255, at which the toolbar blends its images.
inline constexpr int kFullStrength = 255;
inline constexpr int kDisabledStrength = 32;

// The image blended at `strength` out of 255 (clamped to 0..255): every
// premultiplied channel, alpha included, is scaled by strength / 255 and
// rounded. Drawn over a background, the result gives each pixel's colour
// times strength / 255 plus the background times 1 - alpha * strength / 255²,
// which is the rule of a constant-alpha blend with per-pixel alpha; keeping
// the alpha lets whatever the image is drawn on show through.
QImage WithStrength(const QImage& image, int strength);
