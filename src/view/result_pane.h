#pragma once

#include "framework/window/splitter.h"

class CTitleStrip;

// The right-hand pane of a loaded operation: the title strip, held at its
// height, above the document view, which takes the rest.
class CResultPane final : public NWindows::CSplitter {
public:
    explicit CResultPane(QWidget* parent = nullptr);

    CTitleStrip& TitleStrip() const { return *m_titleStrip; }
    // The document view, null before one is set.
    QWidget* View() const { return Pane(kViewPane); }
    // Puts `view` below the title strip; the pane owns it from then on and
    // deletes the view it held before.
    void SetView(QWidget* view);

private:
    static constexpr int kTitlePane = 0;
    static constexpr int kViewPane = 1;

    CTitleStrip* m_titleStrip;
};
