#pragma once

class QIcon;
class QLabel;
class QWidget;

// The label showing the program's icon in a dialog, 32 pixels square and
// named "programIcon"; a null icon leaves the place empty.
QLabel* NewProgramIconLabel(QWidget& dialog, const QIcon& programIcon);
