#pragma once

class QWidget;

namespace NWindows {

// The parent to give a dialog that belongs to `window`: the window itself
// while it is shown, so that the dialog is centred on it and has no taskbar
// entry of its own; null while it is hidden (at start-up), so that the dialog
// stands alone, centred on the screen, with a taskbar entry.
QWidget* DialogOwner(QWidget* window);

} // namespace NWindows
