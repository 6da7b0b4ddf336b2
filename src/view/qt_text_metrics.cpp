#include "view/qt_text_metrics.h"

#include <QFontInfo>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace {

// Whether narrow and wide letters, digits and punctuation are all one width.
// A monospaced font that also holds some double-width characters is not
// marked fixed-pitch by the font system, yet its text is set on a grid, and
// measuring every line of a large document through the shaper is slow.
bool SetsLatinAtOneWidth(const QFontMetricsF& metrics) {
    const qreal width = metrics.horizontalAdvance(QLatin1Char('0'));
    const QString probes = QStringLiteral("iW.m_ ");
    return std::all_of(probes.begin(), probes.end(), [&metrics, width](QChar probe) {
        return std::abs(metrics.horizontalAdvance(probe) - width) < 0.01;
    });
}

} // namespace

CQtTextMetrics::CQtTextMetrics(const QFont& font) : m_metrics(font) {
    SetFont(font);
}

void CQtTextMetrics::SetFont(const QFont& font) {
    m_font = font;
    m_metrics = QFontMetricsF(font);
    m_fixedPitch = QFontInfo(font).fixedPitch() || SetsLatinAtOneWidth(m_metrics);
    // A fixed-pitch font's characters are all as wide as its digits; the
    // font's stated average may differ from that by a fraction that would add
    // up across a line.
    const qreal average =
        m_fixedPitch ? m_metrics.horizontalAdvance(QLatin1Char('0')) : m_metrics.averageCharWidth();
    m_charWidth = std::max(1, static_cast<int>(std::lround(average)));
    const int fontHeight = static_cast<int>(std::ceil(m_metrics.height()));
    m_lineHeight = std::max(kMinimumLineHeight, fontHeight);
    // A small font stands in the middle of its taller line.
    m_baseline =
        (m_lineHeight - fontHeight) / 2 + static_cast<int>(std::lround(m_metrics.ascent()));
}

void CQtTextMetrics::Advances(std::u16string_view line, std::vector<int>& advances) const {
    const auto length = static_cast<qsizetype>(line.size());
    QTextLayout layout(QString(reinterpret_cast<const QChar*>(line.data()), length), m_font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(Qt::LeftToRight);
    layout.setTextOption(option);
    layout.beginLayout();
    const QTextLine textLine = layout.createLine();
    layout.endLayout();

    // Each unit runs from its rounded start to the rounded start of the next
    // character, so that kerning and shaping of the whole line are kept and
    // the rounding does not add up; a surrogate pair is one character whose
    // second unit has no width.
    advances.assign(line.size(), 0);
    int start = 0;
    for (qsizetype unit = 0; unit < length; ++unit) {
        const auto index = static_cast<std::size_t>(unit);
        if (unit > 0 && QChar::isLowSurrogate(line[index]) &&
            QChar::isHighSurrogate(line[index - 1]))
            continue;
        qsizetype next = unit + 1;
        if (next < length && QChar::isHighSurrogate(line[index]) &&
            QChar::isLowSurrogate(line[static_cast<std::size_t>(next)]))
            ++next;
        const int end = static_cast<int>(std::lround(textLine.cursorToX(static_cast<int>(next))));
        advances[index] = end - start;
        start = end;
    }
}
