#include "framework/window/dialog_controls.h"

#include <QFrame>

namespace NWindows {

QFrame* NewSeparator(QWidget& dialog) {
    auto* separator = new QFrame(&dialog);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    return separator;
}

} // namespace NWindows
