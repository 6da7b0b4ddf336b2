#include "framework/window/path_shortening.h"

#include <QApplication>
#include <QFontMetrics>
#include <gtest/gtest.h>

using NWindows::ShortenPath;

namespace {

QFontMetrics Metrics() {
    return QFontMetrics(QApplication::font());
}

// Each path is given exactly the width of the text it should become, so a
// step too few or too many shows.
TEST(PathShortening, FoldersAreCutBehindOneMarkUntilThePathFits) {
    struct SCase {
        const char16_t* path;
        const char16_t* shortened;
    };
    const SCase cases[] = {
        {u"/home/WWWWWW/file.xml", u"/home/WWWWWW/file.xml"},
        // Folders under 5 characters are passed over; the first longer one
        // becomes the mark.
        {u"/abc/MMMMMM/WWWWWW/file.xml", u"/abc/.../WWWWWW/file.xml"},
        {u"/abc/MMMMMM/WWWWWW/file.xml", u"/abc/.../file.xml"},
        // Behind the mark short folders go too, so nothing is cut unmarked.
        {u"/MMMMMM/ab/WWWWWW/file.xml", u"/.../WWWWWW/file.xml"},
        {u"/MMMMMM/ab/WWWWWW/file.xml", u"/.../file.xml"},
        {u"relative/MMMMMM/file.xml", u"relative/.../file.xml"},
    };
    const QFontMetrics metrics = Metrics();
    for (const SCase& test : cases) {
        const QString expected = QString::fromUtf16(test.shortened);
        EXPECT_EQ(ShortenPath(QString::fromUtf16(test.path), metrics,
                              metrics.horizontalAdvance(expected)),
                  expected);
    }
}

TEST(PathShortening, WhatTheFoldersCannotGiveIsElidedVisiblyFromTheFront) {
    struct SCase {
        const char16_t* path;
        const char16_t* width; // the width of this text
    };
    const SCase cases[] = {
        {u"/abc/MMMMMM/WWWWWW/a-rather-long-file-name.xml", u"ng-file-name.xml"},
        {u"a-rather-long-file-name-without-folders.xml", u"without-folders.xml"},
        {u"/ab/cd/ef/file.xml", u"/cd/ef/file"},
    };
    const QFontMetrics metrics = Metrics();
    for (const SCase& test : cases) {
        const QString path = QString::fromUtf16(test.path);
        const int width = metrics.horizontalAdvance(QString::fromUtf16(test.width));
        const QString shortened = ShortenPath(path, metrics, width);
        ASSERT_FALSE(shortened.isEmpty()) << path.toStdString();
        EXPECT_EQ(shortened.front(), QChar(0x2026)) << shortened.toStdString();
        EXPECT_LE(metrics.horizontalAdvance(shortened), width) << shortened.toStdString();
        EXPECT_TRUE(path.endsWith(shortened.mid(1))) << shortened.toStdString();
    }
}

} // namespace
