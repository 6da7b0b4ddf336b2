#pragma once

#include "view/resolve_button.h"
#include "view/selected_band.h"

#include <QColor>
#include <optional>
#include <vector>

class CBlockBase;
class CBlockSelector;
class CDifferenceImages;
class CMergeModel;
class CQtTextMetrics;
class QPainter;
struct SCharPlacement;

// Where the view's text and gutter stand, in pixels of the visible area.
inline constexpr int kGutterWidth = 10;
inline constexpr int kTextLeft = 58;

// What one paint pass of the view shares between its lines.
struct SPaintState {
    const CMergeModel& model;
    const CQtTextMetrics& metrics;
    const CDifferenceImages& images;
    int clientWidth = 0;
    int horizontalPosition = 0;
    SSelection selection;
    SLineBand selectedBand;
};

// Paints the display lines of a block tree one at a time: the background,
// the frame of a difference with its side mark and resolve button, the text
// in its colours, the selection and the gutter.
class CLinePainter {
public:
    CLinePainter(QPainter& painter, const SPaintState& state);

    // Paints `line` of `block` with its top at `top`; the resolve button
    // painted on it, if any.
    std::optional<SResolveButton> PaintLine(const CBlockBase& block, int line, int top);
    // Paints the empty area from `top` to `bottom` (exclusive).
    void PaintBelowLines(int top, int bottom);

private:
    QColor LineBackground(const CBlockSelector* selector, bool inBand) const;
    QColor BorderColour(const CBlockSelector& selector) const;
    void PaintFrame(const CBlockSelector& selector, int line, int top, bool inBand);
    std::optional<SResolveButton> PaintImages(const CBlockBase& block, CBlockSelector& selector,
                                              int top, bool inBand);
    void PaintText(const CBlockBase& block, int line, int top,
                   const std::vector<SCharPlacement>& placements);
    void InvertSelection(int line, int top, const std::vector<SCharPlacement>& placements);

    int ToClientX(int textX) const { return kTextLeft - m_state.horizontalPosition + textX; }

    QPainter& m_painter;
    const SPaintState& m_state;
    int m_lineHeight;
};
