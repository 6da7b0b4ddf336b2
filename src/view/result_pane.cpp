#include "view/result_pane.h"

#include "view/title_strip.h"

CResultPane::CResultPane(QWidget* parent)
    : CSplitter(Qt::Vertical, 2, EBars::None, parent), m_titleStrip(new CTitleStrip(this)) {
    SetPane(kTitlePane, m_titleStrip);
    const int height = m_titleStrip->FixedHeight();
    SetPaneLimits(kTitlePane, height, height);
    SetKeepsSize(kTitlePane, true);
}

void CResultPane::SetView(QWidget* view) {
    delete SetPane(kViewPane, view);
}
