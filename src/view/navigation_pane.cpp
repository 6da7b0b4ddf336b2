#include "view/navigation_pane.h"

#include "merge/merge_model.h"
#include "merge/simple_block.h"
#include "view/side_colours.h"
#include "view/viewport.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>

namespace {

// Marks keep this far from the pane's left and right edges.
constexpr int kMargin = 3;

// Where the lines of a document stand in a pane of a given height.
class COverviewScale {
public:
    COverviewScale(int height, std::uint32_t lines) : m_height(height), m_lines(lines) {}

    // No line to place, or no room to place one apart from another.
    bool IsEmpty() const { return m_lines == 0 || m_height < 2; }
    // The y where `line` begins.
    int Y(std::int64_t line) const { return static_cast<int>(line * (m_height - 1) / m_lines); }
    // The line at `y`.
    std::int64_t LineAt(int y) const { return m_lines * y / (m_height - 1); }
    // The rows of the mark of `difference`: from its first line to past its
    // last, which makes it at least one line of the pane tall, and one pixel.
    int Top(const CBlockSelector& difference) const { return Y(difference.FirstLine()); }
    int Bottom(const CBlockSelector& difference) const {
        return Y(difference.LastLine()) +
               static_cast<int>(std::max<std::int64_t>(1, m_height / m_lines));
    }

private:
    std::int64_t m_height;
    std::int64_t m_lines;
};

// The columns of the sides across a pane `width` pixels wide: left and right
// are equally wide, the base of a three-way operation takes the middle.
class COverviewColumns {
public:
    COverviewColumns(int width, bool threeWay)
        : m_width(width), m_column((width - 2 * kMargin) / (threeWay ? 3 : 2)) {}

    // The marks of `side` between `top` and `bottom` (exclusive).
    QRect Of(int side, int top, int bottom) const {
        switch (side) {
        case kSideLeft:
            return Span(kMargin, kMargin + m_column, top, bottom);
        case kSideRight:
            return Span(m_width - kMargin - m_column, m_width - kMargin, top, bottom);
        default:
            return Span(kMargin + m_column, m_width - kMargin - m_column, top, bottom);
        }
    }
    // Across every column.
    QRect All(int top, int bottom) const { return Span(kMargin, m_width - kMargin, top, bottom); }

private:
    static QRect Span(int left, int right, int top, int bottom) {
        return QRect(left, top, right - left, bottom - top);
    }

    int m_width;
    int m_column;
};

// A one-pixel shadow below `mark` and, when it is taller than a pixel, down
// its right side, both one pixel off so that the mark seems to stand out.
void DrawShadow(QPainter& painter, const QRect& mark, const QColor& shadow) {
    painter.fillRect(mark.left() + 1, mark.bottom() + 1, mark.width(), 1, shadow);
    if (mark.height() > 1)
        painter.fillRect(mark.right() + 1, mark.top() + 1, 1, mark.height(), shadow);
}

void DrawMark(QPainter& painter, const QRect& mark, const QColor& colour, const QColor& shadow) {
    painter.fillRect(mark, colour);
    DrawShadow(painter, mark, shadow);
}

// Whether the difference has a node of `side`, not a placeholder for it.
bool HasSide(const CBlockSelector& difference, int side) {
    const CSimpleBlock* alternative = difference.AlternativeOfSide(side);
    return alternative != nullptr && alternative->node != nullptr;
}

// The scale of `model` in a pane `height` pixels high, when it has lines to
// place and there is a view to follow.
std::optional<COverviewScale> ViewScale(const CMergeModel* model, const IViewport* viewport,
                                        int height) {
    if (model == nullptr || viewport == nullptr || viewport->LineHeight() <= 0)
        return std::nullopt;
    const COverviewScale scale(height, model->LineCount());
    if (scale.IsEmpty())
        return std::nullopt;
    return scale;
}

} // namespace

CNavigationPane::CNavigationPane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("QuillmereNavPane"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(10, 10);
}

void CNavigationPane::SetModel(const CMergeModel* model, bool merge, bool threeWay) {
    m_model = model;
    m_merge = merge;
    m_threeWay = threeWay;
    Refresh(true);
}

void CNavigationPane::SetViewport(IViewport* viewport) {
    m_viewport = viewport;
    Refresh(false);
}

void CNavigationPane::Refresh(bool redrawMarks) {
    // The marks are drawn at the next paint, so a hidden pane costs nothing.
    if (redrawMarks)
        m_marksStale = true;
    update();
}

void CNavigationPane::paintEvent(QPaintEvent* event) {
    const qreal ratio = devicePixelRatioF();
    QImage& surface = m_buffer.Surface(size(), ratio);
    if (m_marksStale || ratio != m_marksRatio) {
        DrawMarks(surface);
        m_marksStale = false;
        m_marksRatio = ratio;
    }
    QPainter painter(this);
    m_buffer.CopyTo(painter, event->rect());
    DrawViewFrame(painter);
}

void CNavigationPane::resizeEvent(QResizeEvent* event) {
    m_marksStale = true;
    QWidget::resizeEvent(event);
}

void CNavigationPane::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        CentreLineAt(event->position().toPoint().y());
}

void CNavigationPane::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        CentreLineAt(event->position().toPoint().y());
}

void CNavigationPane::DrawMarks(QImage& surface) const {
    QPainter painter(&surface);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (m_model == nullptr)
        return;
    const COverviewScale scale(height(), m_model->LineCount());
    if (scale.IsEmpty())
        return;
    const COverviewColumns columns(width(), m_threeWay);
    const QColor shadow = palette().color(QPalette::Dark);
    // A two-way compare has nothing to resolve: it shows which sides have
    // each difference. Otherwise a difference shows its chosen side, and an
    // unresolved one is covered in red once every mark is drawn.
    const bool resolvable = m_merge || m_threeWay;
    for (const CBlockSelector* difference : m_model->Differences()) {
        const int top = scale.Top(*difference);
        const int bottom = scale.Bottom(*difference);
        if (!resolvable) {
            for (const int side : {kSideLeft, kSideRight}) {
                if (HasSide(*difference, side))
                    DrawMark(painter, columns.Of(side, top, bottom), NSideColours::OfSide(side),
                             shadow);
            }
        } else if (difference->IsResolved()) {
            const int side = m_model->Context().order[difference->resolution];
            DrawMark(painter, columns.Of(side, top, bottom), NSideColours::OfSide(side), shadow);
        } else {
            DrawShadow(painter, columns.All(top, bottom), shadow);
        }
    }
    if (!resolvable)
        return;
    for (const CBlockSelector* difference : m_model->Differences()) {
        if (!difference->IsResolved())
            painter.fillRect(columns.All(scale.Top(*difference), scale.Bottom(*difference)),
                             NSideColours::kConflict);
    }
}

void CNavigationPane::DrawViewFrame(QPainter& painter) const {
    const std::optional<COverviewScale> scale = ViewScale(m_model, m_viewport, height());
    if (!scale)
        return;
    const int lineHeight = m_viewport->LineHeight();
    const int top = scale->Y(m_viewport->VerticalPosition() / lineHeight);
    // At least a top and a bottom line, however long the document.
    const int height = std::max(2, scale->Y(m_viewport->PageHeight() / lineHeight + 1));
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(1, top, width() - 2, height).adjusted(0, 0, -1, -1));
}

void CNavigationPane::CentreLineAt(int y) {
    const std::optional<COverviewScale> scale = ViewScale(m_model, m_viewport, height());
    if (!scale)
        return;
    const int lineHeight = m_viewport->LineHeight();
    const std::int64_t line = scale->LineAt(y);
    const std::int64_t position = (line - m_viewport->PageHeight() / lineHeight / 2) * lineHeight;
    m_viewport->ScrollToY(static_cast<int>(std::clamp<std::int64_t>(position, 0, INT_MAX)));
}
