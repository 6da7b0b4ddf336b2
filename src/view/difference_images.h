#pragma once

#include <QPixmap>
#include <memory>
#include <vector>

class CBlockBase;
class CBlockSelector;
class CSideOrder;

// Which picture marks an alternative of a difference.

// The size of a resolve button and of a side mark, in pixels.
inline constexpr int kResolveButtonWidth = 28;
inline constexpr int kResolveButtonHeight = 14;
inline constexpr int kSideMarkSize = 14;

// The resolve button of an alternative of `side`: left 0, base 1, right 2;
// 3 on when the side is not the chosen one, 6 on in the selected band.
int ResolveButtonImage(int side, bool chosen, bool inSelectedBand);

// The side mark of `alternative`, or -1 when it gets none: a left or right
// alternative is marked when its presence differs from the base's (in a
// two-way operation only a right one, against the left). Left 0, right 4,
// each 2 on when not chosen, 1 on when present (else absent), 8 on in the
// selected band.
int SideMarkImage(const CBlockBase& alternative, const CBlockSelector& selector,
                  const CSideOrder& order, bool inSelectedBand);

// The pictures of the resolve buttons (one set for a merge, one for a
// compare) and of the side marks, drawn from their SVG strips for one device
// pixel ratio.
class CDifferenceImages {
public:
    explicit CDifferenceImages(qreal devicePixelRatio);

    qreal DevicePixelRatio() const { return m_ratio; }
    const QPixmap& ResolveButton(int image, bool merge) const;
    const QPixmap& SideMark(int image) const;

private:
    qreal m_ratio;
    std::vector<QPixmap> m_mergeButtons;
    std::vector<QPixmap> m_compareButtons;
    std::vector<QPixmap> m_sideMarks;
};
