#include "view/title_strip.h"

#include "compare/side_order.h"
#include "framework/window/path_shortening.h"
#include "view/side_colours.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <qdrawutil.h>

namespace {

// The sunken edge around the columns.
constexpr int kEdgeWidth = 2;
// Text stays this far from a column's sides and top.
constexpr int kTextInset = 10;
constexpr int kTextTop = 1;
// Room around the font's height.
constexpr int kHeightMargin = 6;

QFont BoldInterfaceFont() {
    QFont font = QApplication::font();
    font.setBold(true);
    return font;
}

} // namespace

CTitleStrip::CTitleStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("QMTitleStrip"));
    setCursor(Qt::ArrowCursor);
    setFont(BoldInterfaceFont());
    // Every paint covers the whole strip.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CTitleStrip::SetFiles(const std::array<QString, 3>& titles,
                           const std::array<QString, 3>& paths, bool threeWay) {
    m_titles = titles;
    m_paths = paths;
    m_threeWay = threeWay;
    update();
}

int CTitleStrip::FixedHeight() const {
    return fontMetrics().height() + kHeightMargin;
}

QRect CTitleStrip::PanelArea() const {
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return QRect(0, 0, std::max(0, width() - scrollBar), height());
}

std::vector<CTitleStrip::SColumn> CTitleStrip::Columns() const {
    const CSideOrder order(m_threeWay);
    const QRect inside = PanelArea().adjusted(kEdgeWidth, kEdgeWidth, -kEdgeWidth, -kEdgeWidth);
    std::vector<SColumn> columns;
    for (int position = 0; position < order.Count(); ++position) {
        const int left = inside.left() + inside.width() * position / order.Count();
        const int right = inside.left() + inside.width() * (position + 1) / order.Count();
        const QRect area(left, inside.top(), right - left, inside.height());
        const int side = order[position];
        columns.push_back({side, area, TextOf(side, area.width() - 2 * kTextInset)});
    }
    return columns;
}

QString CTitleStrip::TextOf(int side, int width) const {
    const auto index = static_cast<std::size_t>(side);
    const QFontMetrics metrics = fontMetrics();
    if (!m_titles[index].isEmpty())
        return metrics.elidedText(m_titles[index], Qt::ElideRight, width);
    return NWindows::ShortenPath(m_paths[index], metrics, width);
}

void CTitleStrip::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect panel = PanelArea();
    painter.fillRect(QRect(panel.right() + 1, 0, width() - panel.width(), height()),
                     palette().color(QPalette::Window));
    qDrawWinPanel(&painter, panel, palette(), true);
    // The side colours are light in every theme, so the text is always black.
    painter.setPen(Qt::black);
    for (const SColumn& column : Columns()) {
        painter.fillRect(column.area, NSideColours::OfSide(column.side));
        painter.drawText(column.area.adjusted(kTextInset, kTextTop, -kTextInset, 0),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, column.text);
    }
}
