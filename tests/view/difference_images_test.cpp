#include "../merge/merge_test_support.h"
#include "merge/simple_block.h"
#include "view/difference_images.h"

#include <gtest/gtest.h>

namespace {

TEST(DifferenceImages, ChoosesTheSideMarkByPresenceAgainstTheOtherSide) {
    struct SCase {
        const char* what;
        const char* base;
        const char* left;
        const char* right;
        bool merge;
        bool inBand;
        // The mark of the left and the right alternative of difference 0.
        int left_mark;
        int right_mark;
    };
    const SCase cases[] = {
        {"deleted on the left, chosen", "<a><b/></a>", "<a/>", "<a><b/></a>", true, false, 0, -1},
        {"deleted on the right, chosen", "<a><b/></a>", "<a><b/></a>", "<a/>", true, false, -1, 4},
        {"added on the right, chosen", "<a/>", "<a/>", "<a><b/></a>", true, false, -1, 5},
        {"added on the right, in the band", "<a/>", "<a/>", "<a><b/></a>", true, true, -1, 13},
        {"changed on both: present everywhere", "<a><b x='1'/></a>", "<a><b x='2'/></a>",
         "<a><b x='3'/></a>", true, false, -1, -1},
        {"two-way, only on the right", nullptr, "<a/>", "<a><b/></a>", true, false, -1, 5},
        {"two-way, only on the left, kept", nullptr, "<a><b/></a>", "<a/>", true, false, -1, 6},
        {"two-way compare, only on the left", nullptr, "<a><b/></a>", "<a/>", false, false, -1, 6},
    };
    for (const SCase& test : cases) {
        MergeTest::COperation operation =
            MergeTest::OperationOf(test.base, test.left, test.right, test.merge);
        ASSERT_GE(operation.model.DifferenceCount(), 1u) << test.what;
        const CBlockSelector& selector = operation.Difference(0);
        const CSideOrder& order = operation.context.order;
        EXPECT_EQ(
            SideMarkImage(*selector.AlternativeOfSide(kSideLeft), selector, order, test.inBand),
            test.left_mark)
            << test.what;
        EXPECT_EQ(
            SideMarkImage(*selector.AlternativeOfSide(kSideRight), selector, order, test.inBand),
            test.right_mark)
            << test.what;
    }
}

TEST(DifferenceImages, NumbersTheResolveButtonsBySideChoiceAndBand) {
    struct SCase {
        int side;
        bool chosen;
        bool inBand;
        int image;
    };
    const SCase cases[] = {
        {kSideLeft, true, false, 0},  {kSideBase, true, false, 1},   {kSideRight, true, false, 2},
        {kSideLeft, false, false, 3}, {kSideRight, false, true, 11}, {kSideBase, true, true, 7},
    };
    for (const SCase& test : cases) {
        EXPECT_EQ(ResolveButtonImage(test.side, test.chosen, test.inBand), test.image)
            << test.side << test.chosen << test.inBand;
    }
}

TEST(DifferenceImages, DrawsEveryPictureAtThePixelRatio) {
    for (const qreal ratio : {1.0, 2.0}) {
        const CDifferenceImages images(ratio);
        for (int image = 0; image < 12; ++image) {
            for (const bool merge : {true, false}) {
                const QPixmap& button = images.ResolveButton(image, merge);
                EXPECT_EQ(button.deviceIndependentSize().toSize(),
                          QSize(kResolveButtonWidth, kResolveButtonHeight));
                EXPECT_EQ(button.width(), static_cast<int>(kResolveButtonWidth * ratio));
                // Not blank: the button's middle is painted.
                EXPECT_EQ(
                    button.toImage().pixelColor(button.width() - 4, button.height() / 2).alpha(),
                    255)
                    << image;
            }
        }
        for (int image = 0; image < 16; ++image)
            EXPECT_EQ(images.SideMark(image).toImage().pixelColor(QPoint(3, 3) * ratio).alpha(),
                      255)
                << image;
    }
}

} // namespace
