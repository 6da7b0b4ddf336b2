#include "app/window_placement.h"
#include "framework/result.h"
#include "services/settings_backend.h"

#include <QList>
#include <QRect>
#include <climits>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>

using namespace NWindowPlacement;
using NSettings::SWindowPos;

// Failures show rectangles as position and size.
void PrintTo(const QRect& rect, std::ostream* out) {
    *out << rect.x() << "," << rect.y() << " " << rect.width() << "x" << rect.height();
}

namespace {

// A 1920 x 1040 desktop, and a 1280 x 1024 screen to the left of it.
const QRect kPrimary(0, 0, 1920, 1040);
const QRect kLeftScreen(-1280, -200, 1280, 1024);

std::optional<QRect> Restored(std::optional<SWindowPos> stored) {
    return RestoredPlacement(stored, {kPrimary, kLeftScreen});
}

} // namespace

TEST(WindowPlacement, AStoredPlacementIsUsedOnlyWhenEnoughOfItIsOnAScreen) {
    const struct {
        const char* what;
        std::optional<SWindowPos> stored;
        std::optional<QRect> expected;
    } cases[] = {
        {"nothing stored", std::nullopt, std::nullopt},
        {"wholly on the primary screen", SWindowPos{100, 80, 800, 600}, QRect(100, 80, 800, 600)},
        {"on the second screen", SWindowPos{-1200, -100, 900, 700}, QRect(-1200, -100, 900, 700)},
        {"across both screens", SWindowPos{-400, 10, 900, 700}, QRect(-400, 10, 900, 700)},
        {"mostly off the right edge", SWindowPos{1800, 500, 800, 600}, QRect(1800, 500, 800, 600)},
        {"the least part that counts", SWindowPos{1820, 990, 800, 600}, QRect(1820, 990, 800, 600)},
        {"a sliver of 10 pixels", SWindowPos{1910, 100, 800, 600}, std::nullopt},
        {"too little of its height", SWindowPos{100, 1000, 800, 600}, std::nullopt},
        {"below the second screen, beside the primary", SWindowPos{-900, 830, 800, 600},
         std::nullopt},
        {"wholly off every screen", SWindowPos{5000, 5000, 800, 600}, std::nullopt},
        {"an edge past the coordinate range", SWindowPos{INT_MAX - 100, 0, 800, 600}, std::nullopt},
    };
    for (const auto& test : cases)
        EXPECT_EQ(Restored(test.stored), test.expected) << test.what;
}

TEST(WindowPlacement, ARestoredWindowIsGrownToTheMinimumSize) {
    const struct {
        SWindowPos stored;
        QRect expected;
    } cases[] = {
        {{50, 60, 200, 100}, QRect(50, 60, 600, 300)},
        {{50, 60, 700, 120}, QRect(50, 60, 700, 300)},
        {{50, 60, -5, 0}, QRect(50, 60, 600, 300)},
        // Grown first: only the grown window reaches far enough onto the screen.
        {{-480, 60, 20, 20}, QRect(-480, 60, 600, 300)},
    };
    for (const auto& test : cases)
        EXPECT_EQ(RestoredPlacement(test.stored, {kPrimary}), test.expected)
            << test.stored.left << "," << test.stored.top << " " << test.stored.width << "x"
            << test.stored.height;
}

TEST(WindowPlacement, TheDefaultIsFourFifthsOfThePrimaryScreenCentred) {
    const struct {
        QRect screen;
        QRect expected;
    } cases[] = {
        {QRect(0, 0, 1920, 1040), QRect(192, 104, 1536, 832)},
        {QRect(0, 30, 1366, 738), QRect(137, 104, 1092, 590)},
        {QRect(-1280, -200, 1280, 1024), QRect(-1152, -98, 1024, 819)},
        // A small screen still gets a window of the minimum size.
        {QRect(0, 0, 640, 400), QRect(20, 40, 600, 320)},
    };
    for (const auto& test : cases)
        EXPECT_EQ(DefaultPlacement(test.screen), test.expected)
            << test.screen.width() << "x" << test.screen.height();
}

TEST(WindowPlacement, APlacementSurvivesTheSettings) {
    NSettings::CMemoryBackend store;
    const NSettings::CScopedBackend scope(store);
    const QRect frames[] = {QRect(100, 80, 800, 600), QRect(-1200, -100, 900, 700),
                            QRect(1800, 500, 800, 600)};
    for (const QRect& frame : frames) {
        ASSERT_EQ(NSettings::WriteWindowPos(StoredPlacement(frame)), NResult::kOk);
        SWindowPos read{};
        ASSERT_TRUE(NSettings::ReadWindowPos(read));
        EXPECT_EQ(Restored(read), frame);
    }
}
