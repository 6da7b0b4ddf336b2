#include "view/difference_images.h"

#include "merge/block_selector.h"
#include "merge/simple_block.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace {

constexpr int kButtonImages = 12;
constexpr int kSideMarkImages = 16;

// Cuts a strip of equal cells into pictures of `ratio` device pixels a pixel.
std::vector<QPixmap> CellsOf(const QString& path, QSize cell, int count, qreal ratio) {
    QSvgRenderer renderer(path);
    std::vector<QPixmap> cells;
    const QSize device(static_cast<int>(std::ceil(cell.width() * ratio)),
                       static_cast<int>(std::ceil(cell.height() * ratio)));
    for (int index = 0; index < count; ++index) {
        QImage image(device, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        renderer.setViewBox(QRectF(QPointF(index * cell.width(), 0), QSizeF(cell)));
        {
            QPainter painter(&image);
            renderer.render(&painter);
        }
        QPixmap pixmap = QPixmap::fromImage(image);
        pixmap.setDevicePixelRatio(ratio);
        cells.push_back(pixmap);
    }
    return cells;
}

int ButtonSideIndex(int side) {
    switch (side) {
    case kSideLeft:
        return 0;
    case kSideBase:
        return 1;
    default:
        return 2;
    }
}

bool IsPresent(const CBlockBase* alternative) {
    return alternative != nullptr && static_cast<const CSimpleBlock*>(alternative)->node != nullptr;
}

} // namespace

int ResolveButtonImage(int side, bool chosen, bool inSelectedBand) {
    return ButtonSideIndex(side) + (chosen ? 0 : 3) + (inSelectedBand ? 6 : 0);
}

int SideMarkImage(const CBlockBase& alternative, const CBlockSelector& selector,
                  const CSideOrder& order, bool inSelectedBand) {
    if (alternative.side != kSideLeft && alternative.side != kSideRight)
        return -1;
    int against = kSideBase;
    if (!order.IsThreeWay()) {
        if (alternative.side == kSideLeft)
            return -1;
        against = kSideLeft;
    }
    const bool present = IsPresent(&alternative);
    if (present == IsPresent(selector.AlternativeOfSide(against)))
        return -1;
    const bool chosen = selector.IsResolved() && order[selector.resolution] == alternative.side;
    const int base = (alternative.side == kSideLeft ? 0 : 4) + (chosen ? 0 : 2);
    return base + (present ? 1 : 0) + (inSelectedBand ? 8 : 0);
}

CDifferenceImages::CDifferenceImages(qreal devicePixelRatio)
    : m_ratio(devicePixelRatio),
      m_mergeButtons(CellsOf(QStringLiteral(":/view/resolve-buttons-merge.svg"),
                             {kResolveButtonWidth, kResolveButtonHeight}, kButtonImages,
                             devicePixelRatio)),
      m_compareButtons(CellsOf(QStringLiteral(":/view/resolve-buttons-compare.svg"),
                               {kResolveButtonWidth, kResolveButtonHeight}, kButtonImages,
                               devicePixelRatio)),
      m_sideMarks(CellsOf(QStringLiteral(":/view/side-marks.svg"), {kSideMarkSize, kSideMarkSize},
                          kSideMarkImages, devicePixelRatio)) {}

const QPixmap& CDifferenceImages::ResolveButton(int image, bool merge) const {
    return (merge ? m_mergeButtons : m_compareButtons).at(static_cast<std::size_t>(image));
}

const QPixmap& CDifferenceImages::SideMark(int image) const {
    return m_sideMarks.at(static_cast<std::size_t>(image));
}
