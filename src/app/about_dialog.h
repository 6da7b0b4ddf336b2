#pragma once

#include "framework/window/base_dialog.h"

class QIcon;

// The About box: the program's icon, its name and version, the second line of
// the language file, and a Close button.
class CAboutDialog final : public NWindows::CBaseDialog {
public:
    // `programIcon` is shown at the left; a null icon leaves the place empty.
    explicit CAboutDialog(const QIcon& programIcon, QWidget* parent = nullptr);
};

// Shows the About box modally over `owner` until it is closed.
void RunAboutDialog(const QIcon& programIcon, QWidget* owner);
