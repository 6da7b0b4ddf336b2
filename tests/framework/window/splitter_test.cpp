#include "framework/result.h"
#include "framework/window/splitter.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using NWindows::CSplitter;

namespace {

// A shown splitter in a window of its own, so that layouts take effect.
class SplitterTest : public ::testing::Test {
protected:
    void Make(Qt::Orientation orientation, int paneCount, CSplitter::EBars bars) {
        window = std::make_unique<QWidget>();
        splitter = new CSplitter(orientation, paneCount, bars, window.get());
        for (int index = 0; index < paneCount; ++index)
            splitter->SetPane(index, new QWidget);
    }

    void Show(int extent) {
        Resize(extent);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void Resize(int extent) {
        const QSize size =
            splitter->orientation() == Qt::Horizontal ? QSize(extent, 80) : QSize(80, extent);
        window->resize(size);
        splitter->resize(size);
        QApplication::processEvents();
    }

    int Extent(int index) const {
        const QWidget* pane = splitter->Pane(index);
        return splitter->orientation() == Qt::Horizontal ? pane->width() : pane->height();
    }

    std::unique_ptr<QWidget> window;
    CSplitter* splitter = nullptr;
};

TEST_F(SplitterTest, FixedPaneKeepsItsSizeAndTheOtherTakesTheRest) {
    struct SCase {
        Qt::Orientation orientation;
        CSplitter::EBars bars;
        int bar;
    };
    const SCase cases[] = {
        {Qt::Horizontal, CSplitter::EBars::None, 0},
        {Qt::Vertical, CSplitter::EBars::None, 0},
        {Qt::Horizontal, CSplitter::EBars::Draggable, CSplitter::kBarWidth},
    };
    for (const SCase& test : cases) {
        Make(test.orientation, 2, test.bars);
        ASSERT_EQ(splitter->SetPaneLimits(0, 30, 30), NResult::kOk);
        Show(200);
        for (const int extent : {611, 95}) {
            Resize(extent);
            EXPECT_EQ(Extent(0), 30) << extent;
            EXPECT_EQ(Extent(1), extent - 30 - test.bar) << extent;
        }
    }
}

TEST_F(SplitterTest, PaneSizeIsHeldToTheLimits) {
    struct SCase {
        int minimum, maximum, requested, expected;
    };
    const SCase cases[] = {
        {4, 100000, 120, 120}, {150, 250, 10, 150}, {150, 250, 300, 250}, {60, 60, 200, 60}};
    for (const SCase& test : cases) {
        Make(Qt::Horizontal, 2, CSplitter::EBars::Draggable);
        Show(500);
        ASSERT_EQ(splitter->SetPaneLimits(1, test.minimum, test.maximum), NResult::kOk);
        ASSERT_EQ(splitter->SetPaneSize(1, test.requested), NResult::kOk);
        EXPECT_EQ(Extent(1), test.expected) << test.requested;
        EXPECT_EQ(Extent(0), 500 - test.expected - CSplitter::kBarWidth) << test.requested;
    }
}

TEST_F(SplitterTest, PaneThatKeepsItsSizeLeavesGrowthToTheOthers) {
    Make(Qt::Horizontal, 3, CSplitter::EBars::None);
    ASSERT_EQ(splitter->SetKeepsSize(0, true), NResult::kOk);
    Show(300);
    ASSERT_EQ(splitter->SetPaneSize(0, 100), NResult::kOk);
    Resize(500);
    EXPECT_EQ(Extent(0), 100);
    EXPECT_EQ(Extent(1) + Extent(2), 400);
}

TEST_F(SplitterTest, SwappedPaneGoesBackToTheCallerAndSlotsKeepTheirOrder) {
    Make(Qt::Horizontal, 3, CSplitter::EBars::Draggable);
    Show(300);
    QWidget* first = splitter->Pane(0);
    auto placeholder = std::unique_ptr<QWidget>(splitter->SetPane(1, nullptr));
    ASSERT_NE(placeholder, nullptr);
    EXPECT_EQ(placeholder->parent(), nullptr);
    EXPECT_FALSE(placeholder->isVisible());
    EXPECT_EQ(splitter->count(), 2);

    // The emptied middle slot filled again lands between the other two.
    QWidget* result = new QWidget;
    EXPECT_EQ(splitter->SetPane(1, result), nullptr);
    EXPECT_EQ(splitter->widget(0), first);
    EXPECT_EQ(splitter->widget(1), result);
    EXPECT_TRUE(result->isVisible());
    // Putting the same widget again is no swap.
    EXPECT_EQ(splitter->SetPane(1, result), nullptr);
    EXPECT_EQ(splitter->count(), 3);
}

} // namespace
