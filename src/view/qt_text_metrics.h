#pragma once

#include "merge/text_metrics.h"

#include <QFont>
#include <QFontMetricsF>

// How the document font sets text on this display: the block tree measures
// its lines, indents and tab stops with it while the view installs it.
class CQtTextMetrics final : public CTextMetrics {
public:
    // Lines are never less high than this, however small the font.
    static constexpr int kMinimumLineHeight = 16;

    explicit CQtTextMetrics(const QFont& font);

    void SetFont(const QFont& font);
    const QFont& Font() const { return m_font; }
    // Where the base line stands below the top of a line.
    int Baseline() const { return m_baseline; }

    int LineHeight() const override { return m_lineHeight; }
    int AverageCharWidth() const override { return m_charWidth; }
    bool IsFixedPitch() const override { return m_fixedPitch; }
    void Advances(std::u16string_view line, std::vector<int>& advances) const override;

private:
    QFont m_font;
    QFontMetricsF m_metrics;
    int m_lineHeight = kMinimumLineHeight;
    int m_charWidth = 1;
    int m_baseline = 0;
    bool m_fixedPitch = true;
};
