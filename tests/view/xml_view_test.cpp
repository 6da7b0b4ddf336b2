#include "services/display_settings.h"
#include "services/settings_backend.h"
#include "shown_operation.h"
#include "view/difference_images.h"
#include "view/line_painter.h"
#include "view/xml_view.h"

#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <optional>

namespace {

// Three-way: b's attribute and c's text changed on both sides (conflicts 0
// and 1), d deleted on the left (difference 2, resolved to the left), f's
// attribute changed on the left (difference 3, resolved to the left).
constexpr const char* kBase = "<a>\n<b x='1'/>\n<c>t</c>\n<d/>\n<e><f y='1'/></e>\n</a>";
constexpr const char* kLeft = "<a>\n<b x='2'/>\n<c>v</c>\n<e><f y='2'/></e>\n</a>";
constexpr const char* kRight = "<a>\n<b x='3'/>\n<c>u</c>\n<d/>\n<e><f y='1'/></e>\n</a>";

const QColor kWhite(255, 255, 255);

QColor Shaded(const QColor& colour, int amount) {
    return {colour.red() - amount, colour.green() - amount, colour.blue() - amount};
}

TEST(XmlView, PaintsLineBackgroundsByDifference) {
    struct SCase {
        bool merge;
        std::optional<std::uint32_t> difference;
        QColor colour;
    };
    const SCase cases[] = {
        {true, std::nullopt, kWhite},
        {true, 0, QColor(255, 224, 224)}, // unresolved conflict, even
        {true, 1, QColor(255, 240, 240)}, // unresolved conflict, odd
        {true, 2, QColor(232, 232, 232)},
        {true, 3, QColor(240, 240, 240)},
        {false, 0, QColor(232, 232, 232)}, // a compare has no conflicts
        {false, 1, QColor(240, 240, 240)},
    };
    for (const SCase& test : cases) {
        CShownOperation shown(kBase, kLeft, kRight, test.merge);
        const QImage picture = shown.Picture();
        const int line = test.difference ? shown.FirstLine(*test.difference) : 0;
        const std::string what = std::to_string(test.merge) + " line " + std::to_string(line);
        EXPECT_EQ(picture.pixelColor(shown.BackgroundX(), shown.Middle(line)), test.colour) << what;
        // Nothing is current: the gutter has the line's colour.
        EXPECT_EQ(picture.pixelColor(5, shown.Middle(line)), test.colour) << what;
    }
}

TEST(XmlView, MarksTheCurrentDifferenceInTheGutterAndAcrossTheView) {
    struct SCase {
        std::uint32_t difference;
        QColor border;
    };
    for (const SCase test : {SCase{0, QColor(255, 0, 0)}, SCase{2, QColor(0, 0, 255)}}) {
        CShownOperation shown(kBase, kLeft, kRight, true);
        shown.operation.model.SetCurrent(&shown.operation.Difference(test.difference));
        const QImage picture = shown.Picture();
        const CBlockSelector& selector = shown.operation.Difference(test.difference);
        const auto first = static_cast<int>(selector.FirstLine());
        const auto last = static_cast<int>(selector.LastLine());
        for (int line = first; line <= last; ++line)
            EXPECT_EQ(picture.pixelColor(5, shown.Middle(line)), test.border) << line;
        const int right = shown.view.viewport()->width() - 1;
        EXPECT_EQ(picture.pixelColor(right, shown.Middle(first)), test.border);
        EXPECT_EQ(picture.pixelColor(shown.BackgroundX(), shown.Top(first)), test.border);
        EXPECT_EQ(picture.pixelColor(shown.BackgroundX(), shown.Top(last + 1) - 1), test.border);
        // Lines outside keep their own gutter.
        EXPECT_EQ(picture.pixelColor(5, shown.Middle(last + 1)), kWhite);
        EXPECT_EQ(picture.pixelColor(right, shown.Middle(last + 1)), kWhite);
    }
}

TEST(XmlView, PaintsTheSelectedBandWithItsRules) {
    CShownOperation shown(kBase, kLeft, kRight, true);
    // From inside line 6 to the start of the line after conflict 1: the band
    // ends above the caret's line.
    const int first = 6;
    const int after = static_cast<int>(shown.operation.Difference(1).LastLine()) + 1;
    shown.view.SetCaretAndAnchor({after, 0}, {first, 1});
    const QImage picture = shown.Picture();
    const int x = shown.BackgroundX();
    const QColor rule(172, 172, 172);
    EXPECT_EQ(picture.pixelColor(x, shown.Top(first)), rule);
    EXPECT_EQ(picture.pixelColor(x, shown.Middle(first)), QColor(204, 204, 204));
    EXPECT_EQ(picture.pixelColor(x, shown.Middle(first + 1)), Shaded(QColor(255, 240, 240), 48));
    EXPECT_EQ(picture.pixelColor(x, shown.Top(after) - 1), rule);
    EXPECT_EQ(picture.pixelColor(x, shown.Middle(after)), kWhite);
    // The frame's fill is shaded too: the right side's alternative, unchosen.
    EXPECT_EQ(picture.pixelColor(shown.FrameX(1), shown.Middle(after - 1)),
              Shaded(QColor(242, 251, 240), 32));
}

TEST(XmlView, InvertsTheSelectedText) {
    CShownOperation shown(kBase, kLeft, kRight, true);
    // "<a>" on line 0: its second character selected.
    shown.view.SetCaretAndAnchor({0, 2}, {0, 1});
    const QImage picture = shown.Picture();
    const int charWidth = shown.view.AverageCharWidth();
    // Above the characters, in the selected band's grey.
    const int y = shown.Top(0) + 1;
    const QColor band(204, 204, 204);
    EXPECT_EQ(picture.pixelColor(kTextLeft + charWidth + 1, y), QColor(51, 51, 51));
    EXPECT_EQ(picture.pixelColor(kTextLeft + 2 * charWidth - 1, y), QColor(51, 51, 51));
    EXPECT_EQ(picture.pixelColor(kTextLeft + 1, y), band);
    EXPECT_EQ(picture.pixelColor(kTextLeft + 2 * charWidth + 1, y), band);
}

TEST(XmlView, FramesADifferenceWithItsSideMarksAndResolveButtons) {
    CShownOperation shown(kBase, kLeft, kRight, true);
    const QImage picture = shown.Picture();
    const CDifferenceImages images(1.0);
    const CBlockSelector& deletion = shown.operation.Difference(2);
    const int first = shown.FirstLine(2);
    const int markLeft = deletion.FrameLeft() + 3;
    const int buttonLeft = deletion.FrameLeft() + 17;
    // Resolved to the left: the left is filled strong, the others pale. The
    // left is absent where the base has d; the right is present like the base.
    struct SAlternative {
        QColor fill;
        int mark;
        int button;
    };
    const SAlternative alternatives[] = {{QColor(155, 194, 227), 0, 0},
                                         {QColor(254, 253, 241), -1, 4},
                                         {QColor(242, 251, 240), -1, 5}};
    const QPoint markPixel(3, 4);
    const QPoint buttonPixel(24, 7);
    for (int index = 0; index < 3; ++index) {
        const int line = first + index;
        const SAlternative& expected = alternatives[index];
        EXPECT_EQ(picture.pixelColor(shown.FrameX(2), shown.Middle(line)), expected.fill) << index;
        const QColor mark = expected.mark >= 0
                                ? images.SideMark(expected.mark).toImage().pixelColor(markPixel)
                                : expected.fill;
        EXPECT_EQ(picture.pixelColor(shown.PicturePoint(markLeft, line, markPixel)), mark) << index;
        EXPECT_EQ(picture.pixelColor(shown.PicturePoint(buttonLeft, line, buttonPixel)),
                  images.ResolveButton(expected.button, true).toImage().pixelColor(buttonPixel))
            << index;
        const QRect rect(shown.PicturePoint(buttonLeft, line, {}),
                         QSize(kResolveButtonWidth, kResolveButtonHeight));
        const auto& buttons = shown.view.ResolveButtons();
        EXPECT_TRUE(std::any_of(buttons.begin(), buttons.end(), [&](const SResolveButton& button) {
            return button.rect == rect && button.selector == &deletion;
        })) << index;
    }
    // Grey borders: left, between the alternatives, below; outside, the line's grey.
    const QColor border(119, 119, 119);
    EXPECT_EQ(picture.pixelColor(shown.FrameX(2) - 1, shown.Middle(first)), border);
    EXPECT_EQ(picture.pixelColor(shown.FrameX(2), shown.Top(first + 1)), border);
    EXPECT_EQ(picture.pixelColor(shown.FrameX(2), shown.Top(first + 3) - 1), border);
    EXPECT_EQ(picture.pixelColor(shown.FrameX(2) - 4, shown.Middle(first)), QColor(232, 232, 232));
}

TEST(XmlView, ScrollingRightKeepsTheGutterAndMovesTheButtons) {
    // A comment only on the left (a difference at the top level, its buttons
    // near the gutter) and an element only on the left inside the root.
    CShownOperation shown(
        std::nullopt,
        "<!--n-->\n<a long='aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa'>\n"
        "<d/>\n</a>",
        "<a long='aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa'>\n</a>", true, 300);
    ASSERT_GT(shown.view.ContentWidth(), shown.view.PageWidth() + 30);
    shown.operation.model.SetCurrent(&shown.operation.Difference(0));
    (void)shown.Picture();
    const std::vector<SResolveButton> before = shown.view.ResolveButtons();
    ASSERT_EQ(before.size(), 4u);

    shown.view.ScrollToX(30);
    EXPECT_EQ(shown.view.HorizontalPosition(), 30);
    std::vector<QRect> kept;
    for (const SResolveButton& button : before) {
        if (button.rect.left() - 30 >= kGutterWidth)
            kept.push_back(button.rect.translated(-30, 0));
    }
    ASSERT_EQ(kept.size(), 2u) << "the top-level buttons go under the gutter";
    std::vector<QRect> after;
    for (const SResolveButton& button : shown.view.ResolveButtons())
        after.push_back(button.rect);
    EXPECT_EQ(after, kept);

    const QImage picture = shown.Picture();
    const CBlockSelector& comment = shown.operation.Difference(0);
    EXPECT_EQ(picture.pixelColor(5, shown.Middle(static_cast<int>(comment.FirstLine()))),
              QColor(0, 0, 255));
    EXPECT_EQ(picture.pixelColor(5, shown.Middle(static_cast<int>(comment.LastLine()) + 1)),
              kWhite);
    const CDifferenceImages images(1.0);
    const QPoint pixel(24, 7);
    const int line = shown.FirstLine(1);
    EXPECT_EQ(picture.pixelColor(shown.PicturePoint(kept.front().left(), line, pixel)),
              images.ResolveButton(0, true).toImage().pixelColor(pixel));
    // Past the end of the range the position stops.
    shown.view.ScrollToX(100000);
    EXPECT_EQ(shown.view.HorizontalPosition(), shown.view.ContentWidth() - shown.view.PageWidth());
}

TEST(XmlView, SmallFontsStillGiveSixteenPixelLines) {
    for (const std::uint32_t points : {3u, 40u}) {
        CShownOperation shown(std::nullopt, "<a>\n<b/>\n</a>", "<a>\n<c/>\n</a>", true, kWidth,
                              points);
        const int height = shown.view.LineHeight();
        EXPECT_EQ(shown.view.ContentHeight(),
                  height * static_cast<int>(shown.operation.model.LineCount()));
        if (points > 9) {
            EXPECT_GT(height, 16);
            continue;
        }
        EXPECT_EQ(height, 16);
        // Line 1 is the first of the difference: white above, grey from y 16.
        const QImage picture = shown.Picture();
        EXPECT_EQ(picture.pixelColor(shown.BackgroundX(), 15), kWhite);
        EXPECT_EQ(picture.pixelColor(shown.BackgroundX(), 16), QColor(232, 232, 232));
    }
}

TEST(XmlView, AResolveButtonMakesItsDifferenceCurrentAndResolvesIt) {
    struct SCase {
        bool merge;
        int side;
        int resolution;
    };
    const SCase cases[] = {
        {true, kSideRight, 2},
        {true, kSideBase, 1},
        {true, kSideLeft, 0},
        {false, kSideRight, -1}, // a compare only moves to the difference
    };
    for (const SCase& test : cases) {
        CShownOperation shown(kBase, kLeft, kRight, test.merge);
        (void)shown.Picture();
        CBlockSelector& conflict = shown.operation.Difference(0);
        const auto& buttons = shown.view.ResolveButtons();
        const auto button =
            std::find_if(buttons.begin(), buttons.end(), [&](const SResolveButton& candidate) {
                return candidate.selector == &conflict && candidate.side == test.side;
            });
        ASSERT_NE(button, buttons.end()) << test.side;
        QSignalSpy clicked(&shown.view, &CXMLView::resolveButtonClicked);
        QSignalSpy refresh(&shown.view, &CXMLView::panesRefreshNeeded);
        QTest::mouseClick(shown.view.viewport(), Qt::LeftButton, {}, button->rect.center());
        EXPECT_EQ(conflict.resolution, test.resolution) << test.side;
        EXPECT_EQ(shown.operation.model.CurrentDifference(), &conflict) << test.side;
        EXPECT_EQ(clicked.count(), 1) << test.side;
        EXPECT_GE(refresh.count(), 1) << test.side;
        // Painted again as the current difference, no longer a conflict.
        const QImage picture = shown.Picture();
        EXPECT_EQ(picture.pixelColor(shown.BackgroundX(), shown.Middle(shown.FirstLine(0)) + 2),
                  QColor(232, 232, 232));
        EXPECT_EQ(picture.pixelColor(5, shown.Middle(shown.FirstLine(0))), QColor(0, 0, 255));
    }
}

TEST(XmlView, FindsThePositionUnderAPointAndTheCaretsX) {
    CShownOperation shown(kBase, kLeft, kRight, true);
    const int charWidth = shown.view.AverageCharWidth();
    const int lines = static_cast<int>(shown.operation.model.LineCount());
    struct SCase {
        QPoint point;
        STextPosition position;
    };
    const SCase cases[] = {
        {{kTextLeft - 1, shown.Middle(0)}, {0, -1}},
        {{kTextLeft + 1, shown.Middle(0)}, {0, 0}},
        {{kTextLeft + charWidth - 2, shown.Middle(0)}, {0, 1}},
        {{kTextLeft + 400, shown.Middle(0)}, {0, 3}},
        {{kTextLeft, shown.Top(lines + 5)}, {lines - 1, 0}},
    };
    for (const SCase& test : cases) {
        EXPECT_EQ(shown.view.PositionAt(test.point), test.position)
            << test.point.x() << "," << test.point.y();
    }
    // The caret is held to the line; its x follows the characters.
    shown.view.SetCaretAndAnchor({0, 99}, {});
    EXPECT_EQ(shown.view.Caret(), (STextPosition{0, 3}));
    EXPECT_EQ(shown.view.CaretX(), kTextLeft + 3 * charWidth);
}

TEST(XmlView, ShowsTheCaretOnlyWithTheFocus) {
    for (const bool focus : {false, true}) {
        CShownOperation shown(kBase, kLeft, kRight, true);
        shown.view.SetCaretAndAnchor({5, 1}, {});
        if (focus) {
            shown.view.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&shown.view));
            shown.view.setFocus();
        }
        ASSERT_EQ(shown.view.hasFocus(), focus);
        const QImage picture = shown.Picture();
        // Above the characters, where only the caret can be.
        const int y = shown.Top(5) + 1;
        const int x = shown.view.CaretX();
        EXPECT_EQ(picture.pixelColor(x, y), focus ? QColor(0, 0, 0) : kWhite) << focus;
        EXPECT_EQ(picture.pixelColor(x + 1, y), kWhite) << focus;
        EXPECT_EQ(picture.pixelColor(x - 1, y), kWhite) << focus;
    }
}

TEST(XmlView, HearsTheModelWhileItLives) {
    auto shown = std::make_unique<CShownOperation>(kBase, kLeft, kRight, true);
    (void)shown->Picture();
    QSignalSpy refresh(&shown->view, &CXMLView::panesRefreshNeeded);
    CMergeModel& model = shown->operation.model;
    ASSERT_TRUE(model.SetCurrent(&shown->operation.Difference(1)));
    EXPECT_EQ(refresh.count(), 1);

    // A block leaving the tree takes its buttons with it.
    const CBlockSelector* leaving = &shown->operation.Difference(0);
    const auto buttonsOf = [&shown](const CBlockSelector* selector) {
        const auto& buttons = shown->view.ResolveButtons();
        return std::count_if(
            buttons.begin(), buttons.end(),
            [selector](const SResolveButton& button) { return button.selector == selector; });
    };
    ASSERT_EQ(buttonsOf(leaving), 3);
    CurrentViewNotifications().DropBlock(*leaving->ParentBlock());
    EXPECT_EQ(buttonsOf(leaving), 0);
    EXPECT_EQ(buttonsOf(&shown->operation.Difference(2)), 3);

    // Gone, the view hears nothing more (a dangling view would be reached here).
    shown.reset();
    MergeTest::COperation other(kBase, kLeft, kRight, true);
    EXPECT_TRUE(other.model.SetCurrent(&other.Difference(0)));
}

TEST(XmlView, CtrlAndTheWheelSizeTheFontANotchAtATime) {
    struct SCase {
        std::uint32_t stored;
        std::vector<int> turns;
        std::uint32_t size;
    };
    const SCase cases[] = {
        {9, {120}, 10}, {9, {60, 60}, 10}, {9, {60}, 9},       {9, {-240}, 7},
        {1, {-120}, 1}, {100, {120}, 100}, {5000, {-120}, 99},
    };
    for (const SCase& test : cases) {
        CShownOperation shown(kBase, kLeft, kRight, true, kWidth, test.stored);
        const QPoint point(100, 20);
        for (const int turn : test.turns) {
            QWheelEvent wheel(point, shown.view.viewport()->mapToGlobal(point), {}, {0, turn},
                              Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(shown.view.viewport(), &wheel);
        }
        EXPECT_EQ(NSettings::ReadXmlFont().size, test.size) << test.stored << "+" << test.turns[0];
        EXPECT_EQ(shown.view.Fonts().Document().pointSize(), CFontSet::AcceptedSize(test.size));
        EXPECT_EQ(shown.view.VerticalPosition(), 0);
    }
}

} // namespace
