#include "framework/window/dialog_owner.h"

#include <QWidget>

namespace NWindows {

QWidget* DialogOwner(QWidget* window) {
    return window != nullptr && window->isVisible() ? window : nullptr;
}

} // namespace NWindows
