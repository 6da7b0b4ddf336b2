#include "services/display_settings.h"
#include "services/settings_backend.h"
#include "services/settings_paths.h"
#include "view/font_set.h"
#include "view/qt_text_metrics.h"

#include <QFontDatabase>
#include <cmath>
#include <gtest/gtest.h>

namespace {

NSettings::SXmlFont StoredFont(const char16_t* name, std::uint32_t size, std::uint32_t style) {
    NSettings::SXmlFont font{};
    font.name = name;
    font.size = size;
    font.style = style;
    return font;
}

QString FixedFamily() {
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

TEST(FontSet, FallsBackToTheFixedFontForAMissingFamily) {
    ASSERT_TRUE(QFontDatabase::hasFamily(QStringLiteral("DejaVu Serif")))
        << "the test machine's fonts changed";
    struct SCase {
        const char16_t* name;
        std::uint32_t size;
        std::uint32_t style;
        QString family;
        int points;
        bool bold;
        bool italic;
    };
    const SCase cases[] = {
        {u"No Such Face Anywhere", 9, 0, FixedFamily(), 9, false, false},
        {u"No Such Face Anywhere", 14, NSettings::kFontStyleBold | NSettings::kFontStyleItalic,
         FixedFamily(), 14, true, true},
        {u"DejaVu Serif", 11, NSettings::kFontStyleItalic, QStringLiteral("DejaVu Serif"), 11,
         false, true},
        {u"DejaVu Serif", 0, 0, QStringLiteral("DejaVu Serif"), 1, false, false},
        {u"DejaVu Serif", 5000, NSettings::kFontStyleBold, QStringLiteral("DejaVu Serif"), 100,
         true, false},
    };
    for (const SCase& test : cases) {
        const QFont font = CFontSet::DocumentFont(StoredFont(test.name, test.size, test.style));
        const QString what = QString::fromUtf16(test.name) + QString::number(test.size);
        EXPECT_EQ(font.family(), test.family) << what.toStdString();
        EXPECT_EQ(font.pointSize(), test.points) << what.toStdString();
        EXPECT_EQ(font.bold(), test.bold) << what.toStdString();
        EXPECT_EQ(font.italic(), test.italic) << what.toStdString();
    }
}

TEST(FontSet, KeepsTheStoredChoiceWhenFallingBack) {
    NSettings::CMemoryBackend settings;
    const NSettings::CScopedBackend scope(settings);
    if (QFontDatabase::hasFamily(QString::fromUtf16(NSettings::kDefaultXmlFontName)))
        GTEST_SKIP() << "the default family is installed here";
    const CFontSet fonts;
    EXPECT_EQ(fonts.Document().family(), FixedFamily());
    EXPECT_EQ(fonts.Document().pointSize(), 9);
    // The fallback is not written back as the user's choice.
    EXPECT_EQ(std::u16string_view(NSettings::ReadXmlFont().name.Text()),
              std::u16string_view(NSettings::kDefaultXmlFontName));
}

TEST(QtTextMetrics, TakesAFontThatSetsLatinOnAGridAsFixedPitch) {
    struct SCase {
        const char* family;
        bool fixedPitch;
    };
    // Noto Sans Mono holds double-width characters too and is not marked
    // fixed-pitch by the font system.
    const SCase cases[] = {
        {"DejaVu Sans Mono", true}, {"Noto Sans Mono", true}, {"DejaVu Sans", false}};
    for (const SCase& test : cases) {
        const QString family = QString::fromLatin1(test.family);
        ASSERT_TRUE(QFontDatabase::hasFamily(family)) << "the test machine's fonts changed";
        QFont font(family);
        font.setPixelSize(13);
        const CQtTextMetrics metrics(font);
        EXPECT_EQ(metrics.IsFixedPitch(), test.fixedPitch) << test.family;
        if (test.fixedPitch) {
            EXPECT_EQ(metrics.AverageCharWidth(),
                      std::lround(QFontMetricsF(font).horizontalAdvance(QLatin1Char('W'))))
                << test.family;
        }
    }
}

TEST(QtTextMetrics, MeasuresEachCharacterOfAProportionalLine) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(20);
    const CQtTextMetrics metrics(font);
    ASSERT_FALSE(metrics.IsFixedPitch());
    std::vector<int> advances;
    // i, W, a surrogate pair (U+1D11E), i.
    const std::u16string line = u"iW\U0001D11Ei";
    metrics.Advances(line, advances);
    ASSERT_EQ(advances.size(), line.size());
    EXPECT_LT(advances[0], advances[1]);
    EXPECT_EQ(advances[3], 0);
    EXPECT_EQ(advances[0], advances[4]);
    int total = 0;
    for (const int advance : advances)
        total += advance;
    const QString text = QString::fromStdU16String(line);
    EXPECT_NEAR(total, QFontMetricsF(font).horizontalAdvance(text), 1.0);
}

} // namespace
