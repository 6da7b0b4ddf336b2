#include "view/dummy_pane.h"
#include "view/result_pane.h"
#include "view/side_colours.h"
#include "view/title_strip.h"
#include "widget_painting.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>
#include <array>
#include <gtest/gtest.h>
#include <vector>

using ViewTest::Paint;

namespace {

TEST(TitleStrip, ColumnsInTheSideColoursCoverTheWidthLeftOfTheScrollBar) {
    const struct {
        bool threeWay;
        std::vector<QColor> colours;
    } cases[] = {
        {false, {NSideColours::kLeft, NSideColours::kRight}},
        {true, {NSideColours::kLeft, NSideColours::kBase, NSideColours::kRight}},
    };
    for (const auto& test : cases) {
        CTitleStrip strip;
        strip.resize(601, strip.FixedHeight());
        strip.SetFiles({}, {u"/b.xml"_qs, u"/l.xml"_qs, u"/r.xml"_qs}, test.threeWay);
        const std::vector<CTitleStrip::SColumn> columns = strip.Columns();
        ASSERT_EQ(columns.size(), test.colours.size());
        const QImage image = Paint(strip);
        const int scrollBar = strip.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        // Side by side inside the sunken edge, up to the scroll bar's place.
        int nextLeft = 2;
        for (std::size_t index = 0; index < columns.size(); ++index) {
            const CTitleStrip::SColumn& column = columns[index];
            EXPECT_EQ(column.area.left(), nextLeft);
            nextLeft = column.area.right() + 1;
            // Left of where the text may reach, and at the bottom, below it.
            EXPECT_EQ(image.pixelColor(column.area.left() + 2, column.area.bottom()),
                      test.colours[index])
                << index;
        }
        EXPECT_EQ(nextLeft, strip.width() - scrollBar - 2);
        EXPECT_EQ(image.pixelColor(strip.width() - 1, strip.height() / 2),
                  strip.palette().color(QPalette::Window));
        EXPECT_NE(image.pixelColor(0, 0), NSideColours::kLeft);
    }
}

TEST(TitleStrip, ShowsTheTitleOrElseThePathShortenedToFit) {
    const QString longPath = u"/home/someone/projects/a-long-folder-name/another-long-folder/"
                             u"deeper/still-deeper/file.xml"_qs;
    const struct {
        QString title;
        QString path;
        bool shortened;
    } cases[] = {
        {u"Ours"_qs, longPath, false},
        {{}, u"/tmp/file.xml"_qs, false},
        {{}, longPath, true},
    };
    for (const auto& test : cases) {
        CTitleStrip strip;
        strip.resize(700, strip.FixedHeight());
        const std::array<QString, 3> titles{QString(), test.title, QString()};
        strip.SetFiles(titles, {QString(), test.path, u"/r.xml"_qs}, false);
        const CTitleStrip::SColumn left = strip.Columns().front();
        const QString expected = test.title.isEmpty() ? test.path : test.title;
        if (test.shortened) {
            EXPECT_TRUE(left.text.contains(u"/.../"_qs)) << left.text.toStdString();
            EXPECT_TRUE(left.text.endsWith(u"/file.xml"_qs)) << left.text.toStdString();
            // The text stays 10 pixels off either side of its column.
            EXPECT_LE(strip.fontMetrics().horizontalAdvance(left.text), left.area.width() - 20);
        } else {
            EXPECT_EQ(left.text, expected);
        }
    }
}

TEST(ResultPane, HoldsTheBoldTitleStripAtItsHeightAndGivesTheViewTheRest) {
    CResultPane pane;
    auto* view = new QWidget;
    pane.SetView(view);
    pane.resize(400, 300);
    pane.show();
    QApplication::processEvents();
    const CTitleStrip& strip = pane.TitleStrip();
    EXPECT_TRUE(strip.font().bold());
    EXPECT_EQ(strip.FixedHeight(), QFontMetrics(strip.font()).height() + 6);
    EXPECT_EQ(strip.geometry(), QRect(0, 0, 400, strip.FixedHeight()));
    EXPECT_EQ(view->geometry(), QRect(0, strip.FixedHeight(), 400, 300 - strip.FixedHeight()));
}

TEST(DummyPane, PaintsItsWholeAreaInTheWorkspaceColour) {
    CDummyPane pane;
    pane.resize(40, 30);
    QImage expected(pane.size(), QImage::Format_RGB32);
    expected.fill(pane.palette().color(QPalette::Dark));
    EXPECT_EQ(Paint(pane), expected);
}

} // namespace
