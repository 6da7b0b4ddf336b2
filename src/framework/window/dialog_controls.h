#pragma once

#include "framework/window/base_dialog.h"

#include <QFrame>
#include <QWidget>

namespace NWindows {

// A new control of `dialog`, named after its identifier so that the text
// table and tests find it.
template <typename TWidget> TWidget* NewControl(QWidget& dialog, int control) {
    auto* widget = new TWidget(&dialog);
    widget->setObjectName(ControlName(control));
    return widget;
}

// The sunken rule between a dialog's fields and its buttons.
QFrame* NewSeparator(QWidget& dialog);

} // namespace NWindows
