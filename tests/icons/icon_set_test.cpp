#include "icons/icon_set.h"

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>
#include <vector>

namespace {

QImage Render(const QIcon& icon, int size, qreal ratio) {
    return icon.pixmap(QSize(size, size), ratio).toImage().convertToFormat(QImage::Format_ARGB32);
}

// The visible widths of the first and the last row that show anything.
std::pair<int, int> EndRowWidths(const QImage& image) {
    std::vector<int> widths;
    for (int y = 0; y < image.height(); ++y) {
        int width = 0;
        for (int x = 0; x < image.width(); ++x)
            width += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
        if (width > 0)
            widths.push_back(width);
    }
    return widths.empty() ? std::pair(0, 0) : std::pair(widths.front(), widths.back());
}

// The mean x of the opaque, clearly green pixels; -1 when there are none.
double GreenCentre(const QImage& image) {
    double sum = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.alpha() == 255 && colour.green() > colour.red() + 40 &&
                colour.green() > colour.blue() + 40) {
                sum += x;
                ++count;
            }
        }
    return count == 0 ? -1 : sum / count;
}

EToolbarImage ImageAt(int index) {
    return static_cast<EToolbarImage>(index);
}

} // namespace

TEST(IconSet, TheStripHoldsElevenDifferentImages) {
    std::vector<QImage> images;
    for (int index = 0; index < kToolbarImageCount; ++index)
        images.push_back(Render(ToolbarIcon(ImageAt(index)), 16, 1.0));
    images.push_back(Render(ProgramIcon(), 16, 1.0));
    for (std::size_t a = 0; a < images.size(); ++a)
        for (std::size_t b = a + 1; b < images.size(); ++b)
            EXPECT_NE(images[a], images[b]) << "images " << a << " and " << b;
}

// "Previous" arrows point up, "next" ones down: the pointed end is the narrow one.
TEST(IconSet, NavigationImagesPointTheirWay) {
    struct SCase {
        EToolbarImage image;
        bool pointsUp;
    };
    const SCase cases[] = {{EToolbarImage::PreviousDifference, true},
                           {EToolbarImage::NextDifference, false},
                           {EToolbarImage::PreviousConflict, true},
                           {EToolbarImage::NextConflict, false}};
    for (const SCase& test : cases) {
        const auto [top, bottom] = EndRowWidths(Render(ToolbarIcon(test.image), 16, 1.0));
        const int index = static_cast<int>(test.image);
        if (test.pointsUp)
            EXPECT_LT(top, bottom) << "image " << index;
        else
            EXPECT_GT(top, bottom) << "image " << index;
    }
}

// Each Resolve image marks the column of its side: left, middle (base), right.
TEST(IconSet, ResolveImagesMarkTheirSidesColumn) {
    struct SCase {
        EToolbarImage image;
        double from;
        double to;
    };
    const SCase cases[] = {{EToolbarImage::ResolveLeft, 0, 16.0 / 3},
                           {EToolbarImage::ResolveBase, 16.0 / 3, 32.0 / 3},
                           {EToolbarImage::ResolveRight, 32.0 / 3, 16}};
    for (const SCase& test : cases) {
        const double centre = GreenCentre(Render(ToolbarIcon(test.image), 16, 1.0));
        const int index = static_cast<int>(test.image);
        EXPECT_GE(centre, test.from) << "image " << index;
        EXPECT_LT(centre, test.to) << "image " << index;
    }
}
