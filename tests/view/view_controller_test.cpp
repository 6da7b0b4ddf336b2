#include "shown_operation.h"
#include "view/scroll_into_view.h"
#include "view/text_search.h"
#include "view/view_controller.h"

#include <QTest>
#include <gtest/gtest.h>
#include <string>

namespace {

// Forty items, the last one changed: the difference lies far below the page.
std::string Items(const char* lastText) {
    std::string document = "<list>\n";
    for (int item = 0; item < 40; ++item)
        document += "<item>" + std::to_string(item) + "</item>\n";
    return document + "<item>" + lastText + "</item>\n</list>";
}

class ViewControllerTest : public ::testing::Test {
protected:
    ViewControllerTest() : shown(std::nullopt, Items("old"), Items("new"), true) {
        controller.SetModel(&shown.operation.model);
    }

    CShownOperation shown;
    CViewController controller{shown.view};
};

TEST_F(ViewControllerTest, SteppingToADifferenceCentresIt) {
    ASSERT_TRUE(controller.Go(true, false));
    const CBlockSelector& current = *shown.operation.model.CurrentDifference();
    const int lineHeight = shown.view.LineHeight();
    const int first = static_cast<int>(current.FirstLine());
    const int count = static_cast<int>(current.LastLine()) - first + 1;
    const int top = CentredTopLine(first, count, shown.view.PageHeight() / lineHeight);
    EXPECT_EQ(shown.view.VerticalPosition(),
              std::min(top * lineHeight, shown.view.ContentHeight() - shown.view.PageHeight()));
    EXPECT_FALSE(controller.Go(true, false));
}

TEST_F(ViewControllerTest, KeysInTheViewMoveTheCaretAndScrollToIt) {
    const QPoint firstLine(70, shown.Middle(0));
    QTest::mouseClick(shown.view.viewport(), Qt::LeftButton, Qt::NoModifier, firstLine);
    ASSERT_EQ(shown.view.Caret().line, 0);
    QTest::keyClick(&shown.view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(shown.view.Caret().line, 1);
    EXPECT_EQ(shown.view.Anchor().line, 0);
    QTest::keyClick(&shown.view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(shown.view.Caret().line, shown.operation.model.LineCount() - 1);
    EXPECT_FALSE(shown.view.Anchor().IsSet());
    EXPECT_EQ(shown.view.VerticalPosition(), shown.view.ContentHeight() - shown.view.PageHeight());
}

TEST_F(ViewControllerTest, FindNextSelectsTheMatchAndShowsIt) {
    ASSERT_TRUE(controller.FindNext(u"new", {}));
    const STextPosition anchor = shown.view.Anchor();
    const STextPosition caret = shown.view.Caret();
    ASSERT_TRUE(anchor.IsSet());
    EXPECT_EQ(anchor.line, caret.line);
    EXPECT_EQ(caret.column - anchor.column, 3);
    EXPECT_GT(shown.view.VerticalPosition(), 0);
    EXPECT_FALSE(controller.FindNext(u"absent", {}));
    EXPECT_EQ(shown.view.Caret(), caret);
}

} // namespace
