#pragma once

#include <QCursor>

// The mouse cursor over the view's gutter: an arrow pointing right, at the
// lines a press there selects.
QCursor GutterCursor();
