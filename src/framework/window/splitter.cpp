#include "framework/window/splitter.h"

#include "framework/result.h"

#include <algorithm>

namespace NWindows {

CSplitter::CSplitter(Qt::Orientation orientation, int paneCount, EBars bars, QWidget* parent)
    : QSplitter(orientation, parent), m_panes(static_cast<std::size_t>(std::max(paneCount, 0))) {
    // A pane never shrinks below its minimum, so none may collapse to nothing.
    setChildrenCollapsible(false);
    setHandleWidth(bars == EBars::Draggable ? kBarWidth : 0);
}

QWidget* CSplitter::Pane(int index) const {
    return IsSlot(index) ? m_panes[static_cast<std::size_t>(index)].widget.data() : nullptr;
}

QWidget* CSplitter::SetPane(int index, QWidget* widget) {
    if (!IsSlot(index))
        return widget;
    SPane& pane = m_panes[static_cast<std::size_t>(index)];
    QWidget* previous = pane.widget.data();
    if (previous == widget)
        return nullptr;
    const int position = SplitterIndex(index);
    if (previous != nullptr) {
        previous->hide();
        previous->setParent(nullptr);
    }
    pane.widget = widget;
    if (widget != nullptr) {
        insertWidget(position, widget);
        ApplyPane(index);
        widget->show();
    }
    return previous;
}

int CSplitter::SetPaneLimits(int index, int minimum, int maximum) {
    if (!IsSlot(index) || minimum > maximum)
        return NResult::kInvalidArgument;
    SPane& pane = m_panes[static_cast<std::size_t>(index)];
    pane.minimum = minimum;
    pane.maximum = maximum;
    ApplyPane(index);
    return NResult::kOk;
}

int CSplitter::SetPaneSize(int index, int size) {
    QWidget* widget = Pane(index);
    if (widget == nullptr)
        return NResult::kInvalidArgument;
    const SPane& pane = m_panes[static_cast<std::size_t>(index)];
    const int extent = std::clamp(size, pane.minimum, pane.maximum);
    // Pinned for the one layout, so that the others take up the difference.
    ApplyLimits(*widget, extent, extent);
    QList<int> extents = sizes();
    extents[SplitterIndex(index)] = extent;
    setSizes(extents);
    ApplyLimits(*widget, pane.minimum, pane.maximum);
    return NResult::kOk;
}

int CSplitter::SetKeepsSize(int index, bool keeps) {
    if (!IsSlot(index))
        return NResult::kInvalidArgument;
    m_panes[static_cast<std::size_t>(index)].keepsSize = keeps;
    ApplyPane(index);
    return NResult::kOk;
}

int CSplitter::SplitterIndex(int index) const {
    const auto end = m_panes.begin() + index;
    return static_cast<int>(std::count_if(m_panes.begin(), end,
                                          [](const SPane& pane) { return !pane.widget.isNull(); }));
}

void CSplitter::ApplyLimits(QWidget& widget, int minimum, int maximum) const {
    if (orientation() == Qt::Horizontal) {
        widget.setMinimumWidth(minimum);
        widget.setMaximumWidth(maximum);
    } else {
        widget.setMinimumHeight(minimum);
        widget.setMaximumHeight(maximum);
    }
}

void CSplitter::ApplyPane(int index) {
    const SPane& pane = m_panes[static_cast<std::size_t>(index)];
    if (pane.widget.isNull())
        return;
    ApplyLimits(*pane.widget, pane.minimum, pane.maximum);
    setStretchFactor(SplitterIndex(index), pane.keepsSize ? 0 : 1);
}

} // namespace NWindows
