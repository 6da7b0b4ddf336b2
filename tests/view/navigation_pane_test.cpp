#include "../merge/merge_test_support.h"
#include "view/navigation_pane.h"
#include "view/side_colours.h"
#include "view/viewport.h"
#include "widget_painting.h"

#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>

using ViewTest::Paint;

namespace {

constexpr int kWidth = 30;
// One pixel more than a round number, so that lines land on whole pixels.
constexpr int kHeight = 201;
// The middle of each side's column in a pane kWidth wide.
constexpr int kTwoWayLeftX = 9;
constexpr int kTwoWayRightX = 21;
constexpr int kThreeWayX[3] = {15, 7, 23}; // base, left, right

// A view of `lines` lines, scrolled as the real one is: held to the range.
class CFakeViewport final : public IViewport {
public:
    static constexpr int kLineHeight = 16;
    static constexpr int kPageLines = 10;

    explicit CFakeViewport(std::uint32_t lines) : m_lines(static_cast<int>(lines)) {}

    int LineHeight() const override { return kLineHeight; }
    int VerticalPosition() const override { return position; }
    int PageHeight() const override { return kPageLines * kLineHeight; }
    void ScrollToY(int y) override { position = std::clamp(y, 0, Bottom()); }
    int Bottom() const { return std::max(0, m_lines * kLineHeight - PageHeight()); }

    int position = 0;

private:
    int m_lines;
};

// `children` equal elements, then `tail` in a root element.
std::string Document(int children, const std::string& tail = {}) {
    std::string text = "<r>";
    for (int child = 0; child < children; ++child)
        text += "<a/>";
    return text + tail + "</r>";
}

// The y where `line` of `lines` begins in the pane.
int LineY(std::uint32_t line, std::uint32_t lines) {
    return static_cast<int>(std::int64_t{line} * (kHeight - 1) / lines);
}

// The pane over `model`, kWidth by kHeight.
struct SPane {
    SPane(const CMergeModel* model, bool merge, bool threeWay) {
        pane.resize(kWidth, kHeight);
        pane.SetModel(model, merge, threeWay);
    }
    CNavigationPane pane;
};

// How many pixels from `start` on, stepping by `step`, are `colour`.
int RunOf(const QImage& image, QPoint start, QPoint step, const QColor& colour) {
    int count = 0;
    for (QPoint at = start; image.valid(at) && image.pixelColor(at) == colour; at += step)
        ++count;
    return count;
}

constexpr QPoint kDown(0, 1);
constexpr QPoint kAcross(1, 0);

QColor Face(const QWidget& widget) {
    return widget.palette().color(QPalette::Window);
}

void Press(QWidget& widget, QEvent::Type type, int y) {
    const QPointF point(kWidth / 2, y);
    QMouseEvent event(type, point, widget.mapToGlobal(point), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

TEST(NavigationPane, MarksAreAtLeastALineOfThePaneTall) {
    struct SCase {
        int children;
        std::uint32_t lines;
        int minimumHeight;
    };
    // A difference only on the right takes two lines: its left placeholder and the node.
    const SCase cases[] = {{6, 10, 40}, {996, 1000, 1}};
    for (const SCase& test : cases) {
        MergeTest::COperation operation(std::nullopt, Document(test.children),
                                        Document(test.children, "<d/>"), false);
        ASSERT_EQ(operation.model.LineCount(), test.lines);
        SPane pane(&operation.model, false, false);
        const QImage image = Paint(pane.pane);
        const int top = LineY(operation.Difference(0).FirstLine(), test.lines);
        EXPECT_NE(image.pixelColor(kTwoWayRightX, top - 1), NSideColours::kRight) << test.lines;
        EXPECT_GE(RunOf(image, QPoint(kTwoWayRightX, top), kDown, NSideColours::kRight),
                  test.minimumHeight)
            << test.lines;
    }
}

TEST(NavigationPane, TwoWayCompareMarksTheSidesThatHaveTheDifference) {
    struct SCase {
        const char* left;
        const char* right;
        bool leftMarked;
        bool rightMarked;
    };
    const SCase cases[] = {
        {"<r><a/></r>", "<r><a/><d/></r>", false, true},
        {"<r><a/><d/></r>", "<r><a/></r>", true, false},
        {"<r><a x='1'/></r>", "<r><a x='2'/></r>", true, true},
    };
    for (const SCase& test : cases) {
        MergeTest::COperation operation(std::nullopt, test.left, test.right, false);
        ASSERT_EQ(operation.model.DifferenceCount(), 1u);
        SPane pane(&operation.model, false, false);
        const QImage image = Paint(pane.pane);
        const int y = LineY(operation.Difference(0).FirstLine(), operation.model.LineCount()) + 1;
        const QColor face = Face(pane.pane);
        EXPECT_EQ(image.pixelColor(kTwoWayLeftX, y), test.leftMarked ? NSideColours::kLeft : face)
            << test.left;
        EXPECT_EQ(image.pixelColor(kTwoWayRightX, y),
                  test.rightMarked ? NSideColours::kRight : face)
            << test.right;
    }
}

TEST(NavigationPane, AConflictIsRedUntilResolvedThenShowsTheChosenSide) {
    for (const int chosen : {kSideBase, kSideLeft, kSideRight}) {
        MergeTest::COperation operation("<r><a x='0'/></r>", "<r><a x='1'/></r>",
                                        "<r><a x='2'/></r>", true);
        ASSERT_EQ(operation.model.ConflictCount(), 1u);
        SPane pane(&operation.model, true, true);
        const int y = LineY(operation.Difference(0).FirstLine(), operation.model.LineCount()) + 1;
        const QImage conflict = Paint(pane.pane);
        for (const int side : {kSideBase, kSideLeft, kSideRight})
            EXPECT_EQ(conflict.pixelColor(kThreeWayX[side], y), NSideColours::kConflict) << side;

        operation.model.Resolve(operation.Difference(0), chosen);
        pane.pane.Refresh(true);
        const QImage resolved = Paint(pane.pane);
        for (const int side : {kSideBase, kSideLeft, kSideRight})
            EXPECT_EQ(resolved.pixelColor(kThreeWayX[side], y),
                      side == chosen ? NSideColours::OfSide(side) : Face(pane.pane))
                << "chosen " << chosen << ", side " << side;
    }
}

TEST(NavigationPane, WithoutLinesThePaneIsEmptyAndPressesScrollNothing) {
    MergeTest::COperation loaded(std::nullopt, Document(3), Document(3, "<d/>"), false);
    const CMergeModel empty;
    struct SCase {
        const char* what;
        const CMergeModel* model;
        int height;
    };
    const SCase cases[] = {
        {"no model", nullptr, kHeight},
        {"no lines", &empty, kHeight},
        {"no room", &loaded.model, 1},
    };
    for (const SCase& test : cases) {
        SPane pane(test.model, true, true);
        pane.pane.resize(kWidth, test.height);
        CFakeViewport viewport(100);
        viewport.position = 50;
        pane.pane.SetViewport(&viewport);
        const QImage image = Paint(pane.pane);
        QImage face(image.size(), image.format());
        face.fill(Face(pane.pane));
        EXPECT_EQ(image, face) << test.what;
        Press(pane.pane, QEvent::MouseButtonPress, test.height - 1);
        EXPECT_EQ(viewport.position, 50) << test.what;
    }
}

TEST(NavigationPane, PressingAndDraggingCentreTheLineAtThePointer) {
    MergeTest::COperation operation(std::nullopt, Document(96), Document(96, "<d/>"), false);
    ASSERT_EQ(operation.model.LineCount(), 100u);
    CFakeViewport viewport(operation.model.LineCount());
    struct SCase {
        QEvent::Type type;
        int y;
        int position; // the view's position afterwards
    };
    // Line 50 stands at y 100; the view's page is ten lines.
    constexpr int kMiddle = (50 - CFakeViewport::kPageLines / 2) * CFakeViewport::kLineHeight;
    const SCase cases[] = {
        {QEvent::MouseButtonPress, kHeight - 1, viewport.Bottom()},
        {QEvent::MouseButtonPress, 0, 0},
        {QEvent::MouseMove, 100, kMiddle},
        {QEvent::MouseMove, -40, 0},
        {QEvent::MouseMove, kHeight + 40, viewport.Bottom()},
    };
    SPane pane(&operation.model, false, false);
    pane.pane.SetViewport(&viewport);
    for (const SCase& test : cases) {
        viewport.position = 123;
        Press(pane.pane, test.type, test.y);
        EXPECT_EQ(viewport.position, test.position) << test.y;
    }
}

TEST(NavigationPane, FramesWhatTheViewShows) {
    MergeTest::COperation operation(std::nullopt, Document(96), Document(96, "<d/>"), false);
    const std::uint32_t lines = operation.model.LineCount();
    SPane pane(&operation.model, false, false);
    CFakeViewport viewport(lines);
    pane.pane.SetViewport(&viewport);
    for (const int firstLine : {0, 40, 88}) {
        viewport.position = firstLine * CFakeViewport::kLineHeight;
        pane.pane.Refresh(false);
        const QImage image = Paint(pane.pane);
        const int top = LineY(static_cast<std::uint32_t>(firstLine), lines);
        const int bottom = top + LineY(CFakeViewport::kPageLines + 1, lines) - 1;
        for (const int y : {top, bottom})
            EXPECT_EQ(RunOf(image, QPoint(1, y), kAcross, Qt::black), kWidth - 2)
                << firstLine << " at " << y;
        EXPECT_EQ(image.pixelColor(1, (top + bottom) / 2), Qt::black) << firstLine;
        EXPECT_EQ(image.pixelColor(kWidth - 2, (top + bottom) / 2), Qt::black) << firstLine;
        EXPECT_NE(image.pixelColor(1, bottom + 1), Qt::black) << firstLine;
    }
}

} // namespace
