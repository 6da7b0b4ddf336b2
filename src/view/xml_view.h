#pragma once

#include "merge/view_notifications.h"
#include "view/font_set.h"
#include "view/qt_text_metrics.h"
#include "view/resolve_button.h"
#include "view/text_position.h"
#include "view/viewport.h"

#include <QAbstractScrollArea>
#include <QCursor>
#include <memory>
#include <vector>

class CBlockBase;
class CBlockSelector;
class CDifferenceImages;
class CMergeModel;

// The document view: the merge model's block tree as one list of display
// lines, with the differences framed, their side marks and resolve buttons,
// the selection and the caret. It measures the tree with the document font
// and hears the model's repaint requests while it lives. Keys and mouse
// gestures other than the resolve buttons are left to its owner, which moves
// the caret and anchor with SetCaretAndAnchor.
class CXMLView final : public QAbstractScrollArea, public IViewport {
    Q_OBJECT

public:
    // The margin right of the widest line.
    static constexpr int kRightMargin = 80;
    // What a mouse gesture in the text area is, as the caret model names it.
    enum class EMouse { Press = 20, Release = 21, DoubleClick = 22, Drag = 23 };

    explicit CXMLView(QWidget* parent = nullptr);
    ~CXMLView() override;

    // Shows `model` (null: nothing) as it is after a load; the view keeps
    // the pointer until given another. Merge or compare, two- or three-way,
    // come from the model's context. Give null before the model is built
    // again: the load runs beside the user-interface thread, which must not
    // paint the tree meanwhile.
    void SetModel(CMergeModel* model);
    CMergeModel* Model() const { return m_model; }
    // After the model was built again: the caret goes to the start of the
    // selection, which is dropped, and the tree is measured and painted anew.
    void ResetAfterLoad();
    // Reads the document font from the settings again and lays everything
    // out with it.
    void ResetFonts();
    const CFontSet& Fonts() const { return m_fonts; }
    // Makes the stored document font `points` larger (or smaller), within
    // the accepted sizes, and lays everything out with it.
    void ChangeFontSize(int points);
    int AverageCharWidth() const { return m_metrics.AverageCharWidth(); }

    // IViewport
    int LineHeight() const override { return m_metrics.LineHeight(); }
    int VerticalPosition() const override { return m_verticalPosition; }
    int PageHeight() const override;
    void ScrollToY(int y) override;

    int HorizontalPosition() const { return m_horizontalPosition; }
    int PageWidth() const;
    int ContentWidth() const { return m_contentWidth; }
    int ContentHeight() const { return m_contentHeight; }
    // Scrolls so that `x` is the left of the visible text, held to the range.
    void ScrollToX(int x);
    // The scroll ranges for the present tree, font and size.
    void UpdateScrollRanges();

    void RepaintLines(int firstLine, int lastLine);
    // From the first line of `first` to the last line of `last` (or of `first`).
    void RepaintBlocks(const CBlockBase* first, const CBlockBase* last = nullptr);
    // From the first line of `block` down to the bottom of the view.
    void RepaintFrom(const CBlockBase* block);

    STextPosition Caret() const { return m_caret; }
    STextPosition Anchor() const { return m_anchor; }
    // Moves the caret and the anchor (unset: no selection) and repaints what
    // changed with them.
    void SetCaretAndAnchor(STextPosition caret, STextPosition anchor);
    // The caret's x in content pixels (not moved by scrolling).
    int CaretX() const;
    // The line and column under `point` (pixels of the visible area), held
    // to the lines and their lengths; column -1 left of the text.
    STextPosition PositionAt(QPoint point) const;

    // The resolve buttons painted and still in view.
    const std::vector<SResolveButton>& ResolveButtons() const { return m_buttons; }

signals:
    // A resolve button made its difference current and, in a merge,
    // resolved it.
    void resolveButtonClicked(CBlockSelector* selector);
    // The toolbar and the overview pane should show the model's state again.
    void panesRefreshNeeded();
    // The view was scrolled up or down.
    void verticallyScrolled(int position);
    // A mouse gesture in the text area, at a line and column as PositionAt
    // gives them, for the caret model.
    void mouseGesture(CXMLView::EMouse gesture, Qt::KeyboardModifiers modifiers,
                      STextPosition position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // With Ctrl the wheel sizes the font a point a notch; else it scrolls.
    void wheelEvent(QWheelEvent* event) override;

private:
    class CModelNotifications;

    int LineCount() const;
    // The top of display line `line` in the visible area.
    int LineTop(int line) const;
    // The display line's block, or null.
    const CBlockBase* BlockOfLine(int line) const;
    const CDifferenceImages& Images();
    STextPosition Clamped(STextPosition position) const;
    void RemeasureAndRepaint();
    void PaintCaret(QPainter& painter) const;
    // Whether a resolve button at `rect` is wholly in the scrolled text area.
    bool IsClickable(const QRect& rect) const;
    void MoveButtons(int dx, int dy);
    void ForgetBlock(const CBlockBase& block);
    const SResolveButton* ButtonAt(QPoint point) const;
    void Click(const SResolveButton& button);
    void UpdateCursor(QPoint point);
    void RepaintCaret();

    CFontSet m_fonts;
    CQtTextMetrics m_metrics;
    CScopedTextMetrics m_metricsInstalled;
    std::unique_ptr<CModelNotifications> m_notifications;
    std::unique_ptr<CScopedViewNotifications> m_notificationsInstalled;
    std::unique_ptr<CDifferenceImages> m_images;
    QCursor m_gutterCursor;

    CMergeModel* m_model = nullptr;
    int m_horizontalPosition = 0;
    int m_verticalPosition = 0;
    int m_contentWidth = 0;
    int m_contentHeight = 0;
    STextPosition m_caret;
    STextPosition m_anchor;
    std::vector<SResolveButton> m_buttons;
    // Wheel turns with Ctrl not yet amounting to a notch.
    int m_wheelRemainder = 0;
};
