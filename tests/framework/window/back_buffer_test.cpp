#include "framework/window/back_buffer.h"

#include <QPainter>
#include <gtest/gtest.h>

using NWindows::CBackBuffer;

namespace {

TEST(BackBuffer, SurfaceIsMadeAgainOnlyWhenTheFrameNoLongerFits) {
    struct SCase {
        QSize first;
        qreal firstRatio;
        QSize second;
        qreal secondRatio;
        bool exact;
        bool kept;
        QSize pixels; // of the surface after the second request
    };
    const SCase cases[] = {
        {{100, 50}, 1, {100, 50}, 1, false, true, {100, 50}},
        {{100, 50}, 1, {60, 40}, 1, false, true, {100, 50}},
        {{100, 50}, 1, {60, 40}, 1, true, false, {60, 40}},
        {{100, 50}, 1, {101, 50}, 1, false, false, {101, 50}},
        {{100, 50}, 1, {50, 25}, 2, false, false, {100, 50}},
        {{30, 20}, 2, {30, 20}, 2, true, true, {60, 40}},
    };
    for (const SCase& test : cases) {
        CBackBuffer buffer;
        const uchar* before = buffer.Surface(test.first, test.firstRatio).constBits();
        const QImage& after = buffer.Surface(test.second, test.secondRatio, test.exact);
        EXPECT_EQ(after.constBits() == before, test.kept)
            << test.second.width() << "x" << test.second.height();
        EXPECT_EQ(after.size(), test.pixels);
        EXPECT_EQ(after.devicePixelRatio(), test.secondRatio);
    }
}

TEST(BackBuffer, CopyBringsTheAreaToTheSamePlaceAtAnyPixelRatio) {
    for (const qreal ratio : {1.0, 2.0}) {
        CBackBuffer buffer;
        QImage& surface = buffer.Surface({20, 20}, ratio);
        surface.fill(Qt::red);
        QImage screen((QSizeF(20, 20) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        screen.setDevicePixelRatio(ratio);
        screen.fill(Qt::white);
        {
            QPainter painter(&screen);
            buffer.CopyTo(painter, QRect(5, 6, 4, 3));
        }
        const auto at = [&](int x, int y) {
            return screen.pixelColor(static_cast<int>(x * ratio), static_cast<int>(y * ratio));
        };
        EXPECT_EQ(at(5, 6), QColor(Qt::red)) << ratio;
        EXPECT_EQ(at(8, 8), QColor(Qt::red)) << ratio;
        EXPECT_EQ(at(4, 6), QColor(Qt::white)) << ratio;
        EXPECT_EQ(at(9, 8), QColor(Qt::white)) << ratio;
        EXPECT_EQ(at(8, 9), QColor(Qt::white)) << ratio;
    }
}

} // namespace
