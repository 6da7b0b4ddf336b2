#include "view/xml_view.h"

#include "merge/merge_model.h"
#include "services/display_settings.h"
#include "view/difference_images.h"
#include "view/gutter_cursor.h"
#include "view/line_painter.h"
#include "view/selected_band.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace {

const QColor kEmptyView(255, 255, 255);
// The wheel's turn for one notch.
constexpr int kWheelNotch = 120;

// The block of `line`, asked of `block` (which showed the line before) and
// then of its ancestors, so that the next line is found near the last one.
const CBlockBase* NextLineBlock(const CBlockBase& block, int line) {
    for (const CBlockBase* asked = &block; asked != nullptr; asked = asked->ParentBlock()) {
        if (const CBlockBase* found = asked->FindLine(static_cast<TLine>(line)))
            return found;
    }
    return nullptr;
}

bool IsWithin(const CBlockBase* block, const CBlockBase& ancestor) {
    for (; block != nullptr; block = block->ParentBlock()) {
        if (block == &ancestor)
            return true;
    }
    return false;
}

void SetRange(QScrollBar& bar, int content, int page, int step) {
    bar.setRange(0, std::max(0, content - page));
    bar.setPageStep(page);
    bar.setSingleStep(step);
    // Shown but disabled when everything fits, so the layout does not jump.
    bar.setEnabled(content > page);
}

std::vector<SCharPlacement> PlacementsOf(const CBlockBase& block, int line) {
    std::vector<SCharPlacement> placements;
    block.MeasureLine(static_cast<TLine>(line), placements);
    return placements;
}

} // namespace

// Brings the model's requests to the view.
class CXMLView::CModelNotifications final : public CViewNotifications {
public:
    explicit CModelNotifications(CXMLView& view) : m_view(view) {}

    void RepaintSelector(const CBlockSelector& selector) override {
        m_view.RepaintBlocks(&selector);
    }
    void RefreshPanes() override { emit m_view.panesRefreshNeeded(); }
    void DropBlock(const CBlockBase& block) override { m_view.ForgetBlock(block); }

private:
    CXMLView& m_view;
};

CXMLView::CXMLView(QWidget* parent)
    : QAbstractScrollArea(parent), m_metrics(m_fonts.Document()), m_metricsInstalled(m_metrics),
      m_notifications(std::make_unique<CModelNotifications>(*this)),
      m_notificationsInstalled(std::make_unique<CScopedViewNotifications>(*m_notifications)),
      m_gutterCursor(GutterCursor()) {
    setObjectName(QStringLiteral("QMResultView"));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel is painted by paintEvent.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::IBeamCursor);
    UpdateScrollRanges();
}

CXMLView::~CXMLView() = default;

void CXMLView::SetModel(CMergeModel* model) {
    m_model = model;
    ResetAfterLoad();
}

void CXMLView::ResetAfterLoad() {
    if (m_anchor.IsSet())
        m_caret = std::min(m_caret, m_anchor);
    m_anchor = {};
    m_caret = Clamped(m_caret);
    m_buttons.clear();
    RemeasureAndRepaint();
}

void CXMLView::ResetFonts() {
    m_fonts.ReloadDocumentFont();
    m_metrics.SetFont(m_fonts.Document());
    RemeasureAndRepaint();
}

void CXMLView::ChangeFontSize(int points) {
    NSettings::SXmlFont font = NSettings::ReadXmlFont();
    font.size = static_cast<std::uint32_t>(
        CFontSet::AcceptedSize(CFontSet::AcceptedSize(font.size) + std::int64_t{points}));
    NSettings::WriteXmlFont(font);
    ResetFonts();
    emit panesRefreshNeeded();
}

void CXMLView::RemeasureAndRepaint() {
    if (m_model != nullptr)
        m_model->Root().InvalidateWidth();
    UpdateScrollRanges();
    viewport()->update();
}

int CXMLView::PageHeight() const {
    return std::max(1, viewport()->height());
}

int CXMLView::PageWidth() const {
    return std::max(1, viewport()->width());
}

void CXMLView::UpdateScrollRanges() {
    const int treeWidth = m_model != nullptr ? m_model->Root().GetWidth() : 0;
    m_contentWidth = treeWidth + kRightMargin + kTextLeft;
    m_contentHeight = LineCount() * LineHeight();
    // The bars hold the positions to their new ranges; scrollContentsBy follows.
    SetRange(*horizontalScrollBar(), m_contentWidth, PageWidth(), AverageCharWidth());
    SetRange(*verticalScrollBar(), m_contentHeight, PageHeight(), LineHeight());
}

void CXMLView::ScrollToX(int x) {
    horizontalScrollBar()->setValue(x);
}

void CXMLView::ScrollToY(int y) {
    verticalScrollBar()->setValue(y);
}

void CXMLView::scrollContentsBy(int dx, int dy) {
    m_horizontalPosition = horizontalScrollBar()->value();
    m_verticalPosition = verticalScrollBar()->value();
    if (dx != 0) {
        // The gutter stays where it is.
        viewport()->scroll(
            dx, 0,
            QRect(kGutterWidth, 0, viewport()->width() - kGutterWidth, viewport()->height()));
    }
    if (dy != 0)
        viewport()->scroll(0, dy);
    MoveButtons(dx, dy);
    if (dy != 0)
        emit verticallyScrolled(m_verticalPosition);
}

void CXMLView::RepaintLines(int firstLine, int lastLine) {
    if (firstLine < 0 || lastLine < firstLine)
        return;
    const int top = std::max(0, LineTop(firstLine));
    const int bottom = std::min(viewport()->height(), LineTop(lastLine + 1));
    if (bottom > top)
        viewport()->update(0, top, viewport()->width(), bottom - top);
}

void CXMLView::RepaintBlocks(const CBlockBase* first, const CBlockBase* last) {
    if (first == nullptr)
        return;
    const CBlockBase& end = last != nullptr ? *last : *first;
    if (first->FirstLine() == kNoLine || end.LastLine() == kNoLine)
        return;
    RepaintLines(static_cast<int>(first->FirstLine()), static_cast<int>(end.LastLine()));
}

void CXMLView::RepaintFrom(const CBlockBase* block) {
    if (block == nullptr || block->FirstLine() == kNoLine)
        return;
    RepaintLines(static_cast<int>(block->FirstLine()), LineCount());
}

void CXMLView::SetCaretAndAnchor(STextPosition caret, STextPosition anchor) {
    caret = Clamped(caret);
    anchor = anchor.IsSet() ? Clamped(anchor) : STextPosition{};
    const SLineBand changed = LinesToRepaint(m_caret, m_anchor, caret, anchor);
    m_caret = caret;
    m_anchor = anchor;
    RepaintLines(changed.first, changed.last);
}

int CXMLView::CaretX() const {
    const CBlockBase* block = BlockOfLine(m_caret.line);
    if (block == nullptr)
        return kTextLeft;
    const std::vector<SCharPlacement> placements = PlacementsOf(*block, m_caret.line);
    const auto last = static_cast<int>(placements.size()) - 1;
    return kTextLeft + placements[static_cast<std::size_t>(std::clamp(m_caret.column, 0, last))].x;
}

STextPosition CXMLView::PositionAt(QPoint point) const {
    if (LineCount() == 0)
        return {};
    const int line =
        std::clamp((point.y() + m_verticalPosition) / LineHeight(), 0, LineCount() - 1);
    if (point.x() < kTextLeft)
        return {line, -1};
    const CBlockBase* block = BlockOfLine(line);
    if (block == nullptr)
        return {line, 0};
    const int x = point.x() - kTextLeft + m_horizontalPosition;
    const std::vector<SCharPlacement> placements = PlacementsOf(*block, line);
    int column = 0;
    for (std::size_t index = 0; index < placements.size(); ++index) {
        // Of equally near places the later one, so that a click never lands
        // inside a character of no width (the second half of a surrogate pair).
        if (std::abs(placements[index].x - x) <=
            std::abs(placements[static_cast<std::size_t>(column)].x - x))
            column = static_cast<int>(index);
    }
    return {line, column};
}

void CXMLView::paintEvent(QPaintEvent* event) {
    const QRect area = event->rect();
    QPainter painter(viewport());
    std::erase_if(m_buttons,
                  [&area](const SResolveButton& button) { return button.rect.intersects(area); });
    if (m_model == nullptr) {
        painter.fillRect(area, kEmptyView);
        return;
    }
    const SSelection selection(m_caret, m_anchor);
    const SPaintState state{*m_model,
                            m_metrics,
                            Images(),
                            viewport()->width(),
                            m_horizontalPosition,
                            selection,
                            SelectedBand(selection)};
    CLinePainter lines(painter, state);
    int line = std::max(0, (area.top() + m_verticalPosition) / LineHeight());
    int top = LineTop(line);
    for (const CBlockBase* block = BlockOfLine(line); block != nullptr && top <= area.bottom();
         block = NextLineBlock(*block, line)) {
        const std::optional<SResolveButton> button = lines.PaintLine(*block, line, top);
        if (button && button->rect.intersects(area) && IsClickable(button->rect))
            m_buttons.push_back(*button);
        ++line;
        top += LineHeight();
    }
    lines.PaintBelowLines(top, area.bottom() + 1);
    PaintCaret(painter);
}

void CXMLView::PaintCaret(QPainter& painter) const {
    if (!hasFocus() || !m_caret.IsSet())
        return;
    const int x = CaretX() - m_horizontalPosition;
    if (x < kGutterWidth)
        return;
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(x, LineTop(m_caret.line), 1, LineHeight(), Qt::white);
}

void CXMLView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRanges();
}

void CXMLView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    RepaintCaret();
}

void CXMLView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    RepaintCaret();
}

void CXMLView::keyPressEvent(QKeyEvent* event) {
    // The owner moves the caret and scrolls; the scroll area's own key rules
    // would scroll by other steps.
    event->ignore();
}

void CXMLView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    if (const SResolveButton* button = ButtonAt(event->position().toPoint())) {
        Click(*button);
        return;
    }
    emit mouseGesture(EMouse::Press, event->modifiers(), PositionAt(event->position().toPoint()));
}

void CXMLView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mouseDoubleClickEvent(event);
    // The second click of a double click on a button is a click of its own.
    if (const SResolveButton* button = ButtonAt(event->position().toPoint())) {
        Click(*button);
        return;
    }
    emit mouseGesture(EMouse::DoubleClick, event->modifiers(),
                      PositionAt(event->position().toPoint()));
}

void CXMLView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mouseReleaseEvent(event);
    emit mouseGesture(EMouse::Release, event->modifiers(), PositionAt(event->position().toPoint()));
}

void CXMLView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    UpdateCursor(point);
    if ((event->buttons() & Qt::LeftButton) != 0)
        emit mouseGesture(EMouse::Drag, event->modifiers(), PositionAt(point));
}

void CXMLView::wheelEvent(QWheelEvent* event) {
    if ((event->modifiers() & Qt::ControlModifier) == 0)
        return QAbstractScrollArea::wheelEvent(event);
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / kWheelNotch;
    m_wheelRemainder %= kWheelNotch;
    if (notches != 0)
        ChangeFontSize(notches);
    event->accept();
}

int CXMLView::LineCount() const {
    return m_model != nullptr ? static_cast<int>(m_model->LineCount()) : 0;
}

int CXMLView::LineTop(int line) const {
    return line * LineHeight() - m_verticalPosition;
}

const CBlockBase* CXMLView::BlockOfLine(int line) const {
    if (line < 0 || line >= LineCount())
        return nullptr;
    return m_model->Root().FindLine(static_cast<TLine>(line));
}

const CDifferenceImages& CXMLView::Images() {
    const qreal ratio = viewport()->devicePixelRatioF();
    if (m_images == nullptr || m_images->DevicePixelRatio() != ratio)
        m_images = std::make_unique<CDifferenceImages>(ratio);
    return *m_images;
}

STextPosition CXMLView::Clamped(STextPosition position) const {
    if (!position.IsSet() || LineCount() == 0)
        return {};
    const int line = std::min(position.line, LineCount() - 1);
    NString::TStr<char16_t> text;
    m_model->Root().GetLineText(text, static_cast<TLine>(line), nullptr);
    return {line, std::clamp(position.column, 0, text.Length())};
}

bool CXMLView::IsClickable(const QRect& rect) const {
    // A button partly under the gutter or past the right edge is not offered;
    // painting offers it again once it is wholly in view.
    return rect.left() >= kGutterWidth && rect.right() < viewport()->width() &&
           rect.bottom() >= 0 && rect.top() < viewport()->height();
}

void CXMLView::MoveButtons(int dx, int dy) {
    for (SResolveButton& button : m_buttons)
        button.rect.translate(dx, dy);
    std::erase_if(m_buttons,
                  [this](const SResolveButton& button) { return !IsClickable(button.rect); });
}

void CXMLView::ForgetBlock(const CBlockBase& block) {
    std::erase_if(m_buttons, [&block](const SResolveButton& button) {
        return IsWithin(button.selector, block);
    });
}

const SResolveButton* CXMLView::ButtonAt(QPoint point) const {
    const auto found =
        std::find_if(m_buttons.begin(), m_buttons.end(),
                     [point](const SResolveButton& button) { return button.rect.contains(point); });
    return found != m_buttons.end() ? &*found : nullptr;
}

void CXMLView::Click(const SResolveButton& button) {
    CBlockSelector* selector = button.selector;
    m_model->SetCurrent(selector);
    if (m_model->IsMerge())
        m_model->Resolve(*selector, button.side);
    RepaintBlocks(selector);
    emit resolveButtonClicked(selector);
    emit panesRefreshNeeded();
}

void CXMLView::UpdateCursor(QPoint point) {
    if (point.x() < kGutterWidth)
        viewport()->setCursor(m_gutterCursor);
    else if (ButtonAt(point) != nullptr)
        viewport()->setCursor(Qt::PointingHandCursor);
    else
        viewport()->setCursor(Qt::IBeamCursor);
}

void CXMLView::RepaintCaret() {
    if (m_caret.IsSet())
        RepaintLines(m_caret.line, m_caret.line);
}
