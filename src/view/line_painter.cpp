#include "view/line_painter.h"

#include "merge/block_selector.h"
#include "merge/merge_model.h"
#include "view/difference_images.h"
#include "view/qt_text_metrics.h"

#include <QPainter>

namespace {

const QColor kOutsideDifferences(255, 255, 255);
const QColor kOutsideDifferencesInBand(204, 204, 204);
const QColor kBandRule(172, 172, 172);
const QColor kFrameBorder(119, 119, 119);
const QColor kCurrentConflictBorder(255, 0, 0);
const QColor kCurrentDifferenceBorder(0, 0, 255);
const QColor kDefaultText(0, 0, 0);
// How much darker the selected band makes a line and a frame.
constexpr int kBandShade = 48;
constexpr int kBandFrameShade = 32;
// Where a difference's pictures stand right of its frame's left edge.
constexpr int kSideMarkOffset = 3;
constexpr int kResolveButtonOffset = 17;

QColor ColourOf(COLORREF colour) {
    return {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
            static_cast<int>((colour >> 16) & 0xFF)};
}

QColor Shaded(const QColor& colour, int amount) {
    return {std::max(0, colour.red() - amount), std::max(0, colour.green() - amount),
            std::max(0, colour.blue() - amount)};
}

bool IsBlank(char16_t unit) {
    return unit == u' ' || unit == u'\t';
}

} // namespace

CLinePainter::CLinePainter(QPainter& painter, const SPaintState& state)
    : m_painter(painter), m_state(state), m_lineHeight(state.metrics.LineHeight()) {
    m_painter.setFont(state.metrics.Font());
}

std::optional<SResolveButton> CLinePainter::PaintLine(const CBlockBase& block, int line, int top) {
    CBlockSelector* selector = block.EnclosingSelector();
    const bool inBand = m_state.selectedBand.Contains(line);
    const QColor background = LineBackground(selector, inBand);
    m_painter.fillRect(0, top, m_state.clientWidth, m_lineHeight, background);
    if (inBand && line == m_state.selectedBand.first)
        m_painter.fillRect(0, top, m_state.clientWidth, 1, kBandRule);
    if (inBand && line == m_state.selectedBand.last)
        m_painter.fillRect(0, top + m_lineHeight - 1, m_state.clientWidth, 1, kBandRule);

    std::optional<SResolveButton> button;
    if (selector != nullptr) {
        PaintFrame(*selector, line, top, inBand);
        if (block.ParentBlock() == selector && static_cast<TLine>(line) == block.FirstLine())
            button = PaintImages(block, *selector, top, inBand);
    }

    std::vector<SCharPlacement> placements;
    block.MeasureLine(static_cast<TLine>(line), placements);
    PaintText(block, line, top, placements);
    InvertSelection(line, top, placements);

    const bool current = selector != nullptr && m_state.model.IsCurrent(selector);
    m_painter.fillRect(0, top, kGutterWidth, m_lineHeight,
                       current ? BorderColour(*selector) : background);
    return button;
}

void CLinePainter::PaintBelowLines(int top, int bottom) {
    if (bottom > top)
        m_painter.fillRect(0, top, m_state.clientWidth, bottom - top, kOutsideDifferences);
}

QColor CLinePainter::LineBackground(const CBlockSelector* selector, bool inBand) const {
    if (selector == nullptr)
        return inBand ? kOutsideDifferencesInBand : kOutsideDifferences;
    const QColor colour = ColourOf(m_state.model.SelectorBackground(*selector));
    return inBand ? Shaded(colour, kBandShade) : colour;
}

QColor CLinePainter::BorderColour(const CBlockSelector& selector) const {
    if (!m_state.model.IsCurrent(&selector))
        return kFrameBorder;
    const bool conflict = m_state.model.IsMerge() && !selector.IsResolved();
    return conflict ? kCurrentConflictBorder : kCurrentDifferenceBorder;
}

void CLinePainter::PaintFrame(const CBlockSelector& selector, int line, int top, bool inBand) {
    const int left = selector.FrameLeft() - m_state.horizontalPosition;
    const int right = selector.FrameRight() - m_state.horizontalPosition;
    const int bottom = top + m_lineHeight - 1;
    const auto displayLine = static_cast<TLine>(line);
    const QColor fill = ColourOf(m_state.model.AlternativeLineBackground(selector, displayLine));
    m_painter.fillRect(left, top, right - left, m_lineHeight,
                       inBand ? Shaded(fill, kBandFrameShade) : fill);

    const QColor border = BorderColour(selector);
    m_painter.fillRect(left, top, 1, m_lineHeight, border);
    m_painter.fillRect(right - 1, top, 1, m_lineHeight, border);
    if (selector.IsAlternativeStart(displayLine))
        m_painter.fillRect(left, top, right - left, 1, border);
    if (m_state.model.IsCurrent(&selector)) {
        m_painter.fillRect(m_state.clientWidth - 1, top, 1, m_lineHeight, border);
        if (displayLine == selector.FirstLine())
            m_painter.fillRect(0, top, m_state.clientWidth, 1, border);
        if (displayLine == selector.LastLine())
            m_painter.fillRect(0, bottom, m_state.clientWidth, 1, border);
    } else if (displayLine == selector.LastLine()) {
        m_painter.fillRect(left, bottom, right - left, 1, border);
    }
}

std::optional<SResolveButton>
CLinePainter::PaintImages(const CBlockBase& block, CBlockSelector& selector, int top, bool inBand) {
    const CSideOrder& order = m_state.model.Context().order;
    const int left = selector.FrameLeft() - m_state.horizontalPosition;
    const int imageTop = top + (m_lineHeight - kSideMarkSize) / 2;
    const int mark = SideMarkImage(block, selector, order, inBand);
    if (mark >= 0)
        m_painter.drawPixmap(left + kSideMarkOffset, imageTop, m_state.images.SideMark(mark));

    const bool chosen = selector.IsResolved() && order[selector.resolution] == block.side;
    const QRect rect(left + kResolveButtonOffset, imageTop, kResolveButtonWidth,
                     kResolveButtonHeight);
    m_painter.drawPixmap(
        rect.topLeft(), m_state.images.ResolveButton(ResolveButtonImage(block.side, chosen, inBand),
                                                     m_state.model.IsMerge()));
    return SResolveButton{rect, &selector, block.side};
}

void CLinePainter::PaintText(const CBlockBase& block, int line, int top,
                             const std::vector<SCharPlacement>& placements) {
    NString::TStr<char16_t> text;
    std::vector<COLORREF> colours;
    block.GetLineText(text, static_cast<TLine>(line), &colours);
    const int baseline = top + m_state.metrics.Baseline();
    const auto length = static_cast<std::size_t>(text.Length());
    for (std::size_t unit = 0; unit < length && unit < placements.size(); ++unit) {
        const char16_t character = text.Text()[unit];
        const int x = ToClientX(placements[unit].x);
        if (x >= m_state.clientWidth)
            break;
        // A surrogate pair is drawn as one character.
        const bool pair = QChar::isHighSurrogate(character) && unit + 1 < length;
        if (!IsBlank(character) && x + placements[unit].width > kGutterWidth) {
            m_painter.setPen(unit < colours.size() ? ColourOf(colours[unit]) : kDefaultText);
            m_painter.drawText(
                QPoint(x, baseline),
                QString(reinterpret_cast<const QChar*>(text.Text() + unit), pair ? 2 : 1));
        }
        if (pair)
            ++unit;
    }
}

void CLinePainter::InvertSelection(int line, int top,
                                   const std::vector<SCharPlacement>& placements) {
    const SSelection& selection = m_state.selection;
    if (selection.IsEmpty() || line < selection.start.line || line > selection.end.line)
        return;
    const auto columnX = [&placements](int column) {
        return placements[static_cast<std::size_t>(
                              std::clamp(column, 0, static_cast<int>(placements.size()) - 1))]
            .x;
    };
    // A line selected beyond its end shows its line break as one more character.
    const int left =
        line == selection.start.line ? columnX(selection.start.column) : placements.front().x;
    const int right = line == selection.end.line
                          ? columnX(selection.end.column)
                          : placements.back().x + m_state.metrics.AverageCharWidth();
    if (right <= left)
        return;
    const QPainter::CompositionMode mode = m_painter.compositionMode();
    m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    m_painter.fillRect(ToClientX(left), top, right - left, m_lineHeight, Qt::white);
    m_painter.setCompositionMode(mode);
}
