#pragma once

#include "framework/window/back_buffer.h"

#include <QWidget>

class CMergeModel;
class IViewport;

// The overview beside the document view: the whole document squeezed into
// the pane's height, a mark for every difference (by the sides that have it
// in a two-way compare, by the chosen side once resolved, red while it is an
// unresolved conflict), and a frame around what the view shows. Pressing or
// dragging with the left button scrolls the view to centre the line there.
// The marks are drawn into a back buffer and only drawn anew when asked or
// when the pane's size changes; scrolling merely moves the frame.
class CNavigationPane final : public QWidget {
public:
    explicit CNavigationPane(QWidget* parent = nullptr);

    // The operation to show, null for none; the model must outlive its use
    // here. `merge` and `threeWay` say how its differences are marked.
    void SetModel(const CMergeModel* model, bool merge, bool threeWay);
    // The view whose visible part is framed and which a press scrolls; null for none.
    void SetViewport(IViewport* viewport);
    // Repaints; with `redrawMarks` the marks are drawn anew from the model
    // first (after a load, a resolution or a change of the lines), without it
    // only the frame moves (after the view scrolled).
    void Refresh(bool redrawMarks);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void DrawMarks(QImage& surface) const;
    void DrawViewFrame(QPainter& painter) const;
    // Scrolls the view so that the line at `y` stands in its middle.
    void CentreLineAt(int y);

    NWindows::CBackBuffer m_buffer;
    const CMergeModel* m_model = nullptr;
    IViewport* m_viewport = nullptr;
    bool m_merge = false;
    bool m_threeWay = false;
    bool m_marksStale = true;
    // The device pixel ratio the marks were drawn at.
    qreal m_marksRatio = 0;
};
