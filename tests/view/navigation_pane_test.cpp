#include "../merge/merge_test_support.h"
#include "fake_lines.h"
#include "view/navigation_pane.h"
#include "view/side_colours.h"
#include "widget_painting.h"

#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>

using ViewTest::CFakeViewport;
using ViewTest::Paint;

namespace {

constexpr int kWidth = 30;
// One more than a round number, so that lines land on whole pixels.
constexpr int kHeight = 201;
// The middle of each side's column: two-way left and right; three-way by side.
constexpr int kTwoWayX[2] = {9, 21};
constexpr int kThreeWayX[3] = {15, 7, 23};

// `children` equal elements, then `tail`, in a root element.
std::string Document(int children, const std::string& tail = {}) {
    std::string text = "<r>";
    for (int child = 0; child < children; ++child)
        text += "<a/>";
    return text + tail + "</r>";
}

// The y where `line` of the operation begins.
int LineY(const MergeTest::COperation& operation, std::uint32_t line) {
    return static_cast<int>(std::int64_t{line} * (kHeight - 1) / operation.model.LineCount());
}

// Sets `pane` kWidth by kHeight over `model`.
void Place(CNavigationPane& pane, const CMergeModel* model, bool merge, bool threeWay) {
    pane.resize(kWidth, kHeight);
    pane.SetModel(model, merge, threeWay);
}

QColor Face(const QWidget& pane) {
    return pane.palette().color(QPalette::Window);
}

// How many pixels from `start` on, stepping by `step`, are `colour`.
int RunOf(const QImage& image, QPoint start, QPoint step, const QColor& colour) {
    int count = 0;
    for (QPoint at = start; image.valid(at) && image.pixelColor(at) == colour; at += step)
        ++count;
    return count;
}

void Mouse(QWidget& widget, QEvent::Type type, int y) {
    const QPointF point(kWidth / 2, y);
    QMouseEvent event(type, point, widget.mapToGlobal(point), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

TEST(NavigationPane, MarksAreAtLeastALineOfThePaneTall) {
    // A difference only on the right has two lines, a placeholder and the node:
    // 40 pixels where a line has 20, and at least one where it has less.
    const struct {
        int children;
        std::uint32_t lines;
        int height;
    } cases[] = {{6, 10, 40}, {996, 1000, 1}};
    for (const auto& test : cases) {
        MergeTest::COperation operation(std::nullopt, Document(test.children),
                                        Document(test.children, "<d/>"), false);
        ASSERT_EQ(operation.model.LineCount(), test.lines);
        CNavigationPane pane;
        Place(pane, &operation.model, false, false);
        const QImage image = Paint(pane);
        const int top = LineY(operation, operation.Difference(0).FirstLine());
        EXPECT_NE(image.pixelColor(kTwoWayX[1], top - 1), NSideColours::kRight) << test.lines;
        EXPECT_GE(RunOf(image, QPoint(kTwoWayX[1], top), {0, 1}, NSideColours::kRight), test.height)
            << test.lines;
    }
}

TEST(NavigationPane, TwoWayCompareMarksTheSidesThatHaveTheDifference) {
    const struct {
        const char* left;
        const char* right;
        bool marked[2]; // left, right
    } cases[] = {
        {"<r><a/></r>", "<r><a/><d/></r>", {false, true}},
        {"<r><a/><d/></r>", "<r><a/></r>", {true, false}},
        {"<r><a x='1'/></r>", "<r><a x='2'/></r>", {true, true}},
    };
    const QColor colours[2] = {NSideColours::kLeft, NSideColours::kRight};
    for (const auto& test : cases) {
        MergeTest::COperation operation(std::nullopt, test.left, test.right, false);
        CNavigationPane pane;
        Place(pane, &operation.model, false, false);
        const QImage image = Paint(pane);
        const int y = LineY(operation, operation.Difference(0).FirstLine()) + 1;
        for (int column = 0; column < 2; ++column)
            EXPECT_EQ(image.pixelColor(kTwoWayX[column], y),
                      test.marked[column] ? colours[column] : Face(pane))
                << test.left << " " << test.right;
    }
}

TEST(NavigationPane, AConflictIsRedUntilResolvedThenShowsTheChosenSide) {
    for (const int chosen : {kSideBase, kSideLeft, kSideRight}) {
        MergeTest::COperation operation("<r><a x='0'/></r>", "<r><a x='1'/></r>",
                                        "<r><a x='2'/></r>", true);
        CNavigationPane pane;
        Place(pane, &operation.model, true, true);
        const int y = LineY(operation, operation.Difference(0).FirstLine()) + 1;
        const QImage conflict = Paint(pane);
        operation.model.Resolve(operation.Difference(0), chosen);
        pane.Refresh(true);
        const QImage resolved = Paint(pane);
        for (const int side : {kSideBase, kSideLeft, kSideRight}) {
            EXPECT_EQ(conflict.pixelColor(kThreeWayX[side], y), NSideColours::kConflict);
            EXPECT_EQ(resolved.pixelColor(kThreeWayX[side], y),
                      side == chosen ? NSideColours::OfSide(side) : Face(pane))
                << "chosen " << chosen << ", side " << side;
        }
    }
}

TEST(NavigationPane, WithoutLinesThePaneIsEmptyAndPressesScrollNothing) {
    MergeTest::COperation loaded(std::nullopt, Document(3), Document(3, "<d/>"), false);
    const CMergeModel empty;
    const struct {
        const char* what;
        const CMergeModel* model;
        int height;
    } cases[] = {{"no model", nullptr, kHeight},
                 {"no lines", &empty, kHeight},
                 {"no room", &loaded.model, 1}};
    for (const auto& test : cases) {
        CNavigationPane pane;
        Place(pane, test.model, true, true);
        pane.resize(kWidth, test.height);
        CFakeViewport viewport(100, 10);
        viewport.ScrollToY(50);
        pane.SetViewport(&viewport);
        QImage face(pane.size(), QImage::Format_RGB32);
        face.fill(Face(pane));
        EXPECT_EQ(Paint(pane), face) << test.what;
        Mouse(pane, QEvent::MouseButtonPress, test.height - 1);
        EXPECT_EQ(viewport.VerticalPosition(), 50) << test.what;
    }
}

// A compare of 100 lines beside a view of them.
class NavigationPaneOverView : public ::testing::Test {
protected:
    NavigationPaneOverView() {
        Place(pane, &operation.model, false, false);
        pane.SetViewport(&viewport);
    }
    MergeTest::COperation operation{std::nullopt, Document(96), Document(96, "<d/>"), false};
    CFakeViewport viewport{static_cast<int>(operation.model.LineCount()), 10};
    // The top of the last page of lines.
    const int bottom = (static_cast<int>(operation.model.LineCount()) - 10) * 16;
    CNavigationPane pane;
};

TEST_F(NavigationPaneOverView, PressingAndDraggingCentreTheLineAtThePointer) {
    ASSERT_EQ(operation.model.LineCount(), 100u);
    const struct {
        QEvent::Type type;
        int y;
        int position; // afterwards
    } cases[] = {
        {QEvent::MouseButtonPress, kHeight - 1, bottom},
        {QEvent::MouseButtonPress, 0, 0},
        // Line 50 stands at y 100: half a page (5 lines) above it is the top.
        {QEvent::MouseMove, 100, 45 * 16},
        {QEvent::MouseMove, -40, 0},
        {QEvent::MouseMove, kHeight + 40, bottom},
    };
    for (const auto& test : cases) {
        viewport.ScrollToY(123);
        Mouse(pane, test.type, test.y);
        EXPECT_EQ(viewport.VerticalPosition(), test.position) << test.y;
    }
}

TEST_F(NavigationPaneOverView, FramesWhatTheViewShows) {
    for (const std::uint32_t firstLine : {0u, 40u, 88u}) {
        viewport.ScrollToY(static_cast<int>(firstLine) * 16);
        pane.Refresh(false);
        const QImage image = Paint(pane);
        // From the first line shown to where a line past the page would end.
        const int top = LineY(operation, firstLine);
        const int bottom = LineY(operation, firstLine + 11) - 1;
        EXPECT_EQ(RunOf(image, QPoint(1, top), {1, 0}, Qt::black), kWidth - 2) << firstLine;
        EXPECT_EQ(RunOf(image, QPoint(1, bottom), {1, 0}, Qt::black), kWidth - 2) << firstLine;
        EXPECT_EQ(RunOf(image, QPoint(kWidth - 2, top), {0, 1}, Qt::black), bottom - top + 1);
    }
}

TEST(NavigationPane, TheFrameStaysVisibleInALongDocument) {
    // Eleven lines of 20,000 would make no row at all.
    MergeTest::COperation operation(std::nullopt, Document(19996), Document(19996, "<d/>"), false);
    CNavigationPane pane;
    Place(pane, &operation.model, false, false);
    CFakeViewport viewport(static_cast<int>(operation.model.LineCount()), 10, 10000);
    pane.SetViewport(&viewport);
    const QImage image = Paint(pane);
    EXPECT_EQ(RunOf(image, QPoint(kWidth - 2, LineY(operation, 10000)), {0, 1}, Qt::black), 2);
}

} // namespace
