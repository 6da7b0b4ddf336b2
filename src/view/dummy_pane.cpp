#include "view/dummy_pane.h"

#include <QPaintEvent>
#include <QPainter>

CDummyPane::CDummyPane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("QMDummyPane"));
    // The paint covers everything, so the background is never erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CDummyPane::paintEvent(QPaintEvent* event) {
    QPainter(this).fillRect(event->rect(), palette().color(QPalette::Dark));
}
