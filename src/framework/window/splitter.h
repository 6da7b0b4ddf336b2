#pragma once

#include <QPointer>
#include <QSplitter>
#include <vector>

namespace NWindows {

// A row or a column of a fixed number of pane slots on QSplitter. A slot may
// be empty, and its widget may be swapped (a placeholder for the real pane);
// each slot keeps its limits along the splitter's direction, so a pane can be
// held at a fixed size (minimum = maximum) while the others take the rest.
// A hidden pane takes no part in the layout.
class CSplitter : public QSplitter {
public:
    // The smallest and largest extent of a pane unless told otherwise.
    static constexpr int kDefaultMinimum = 4;
    static constexpr int kDefaultMaximum = 100000;
    // The width of the bars between panes.
    static constexpr int kBarWidth = 4;

    enum class EBars { Draggable, None };

    CSplitter(Qt::Orientation orientation, int paneCount, EBars bars, QWidget* parent = nullptr);

    int PaneCount() const { return static_cast<int>(m_panes.size()); }
    // The widget of slot `index`, null when the slot is empty or there is none.
    QWidget* Pane(int index) const;

    // Puts `widget` (null: nothing) into slot `index` and shows it. The widget
    // that was there is hidden, taken out of the splitter and handed back:
    // the caller owns it from then on. A bad index changes nothing and
    // returns `widget`, which the caller then still owns.
    QWidget* SetPane(int index, QWidget* widget);

    // NResult::kOk; kInvalidArgument for a bad index or minimum > maximum.
    int SetPaneLimits(int index, int minimum, int maximum);
    // Sets the pane's extent, held to its limits; the other panes share the
    // rest. NResult::kOk; kInvalidArgument for a bad or empty slot.
    int SetPaneSize(int index, int size);
    // A pane that keeps its size is left as it is when the splitter itself
    // grows or shrinks, as long as other panes can take the change.
    int SetKeepsSize(int index, bool keeps);

private:
    struct SPane {
        QPointer<QWidget> widget;
        int minimum = kDefaultMinimum;
        int maximum = kDefaultMaximum;
        bool keepsSize = false;
    };

    bool IsSlot(int index) const { return index >= 0 && index < PaneCount(); }
    // The position of slot `index`'s widget among the splitter's widgets.
    int SplitterIndex(int index) const;
    void ApplyLimits(QWidget& widget, int minimum, int maximum) const;
    void ApplyPane(int index);

    std::vector<SPane> m_panes;
};

} // namespace NWindows
