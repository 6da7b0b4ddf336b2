#pragma once

#include <string>

class CMergeModel;

// The model as text, one line per display line:
//   line number, the side of the block that owns the line (B, L, R, or -),, indent in pixels, the
//   line's text with each tab shown as "\t", and for a line inside a
//   difference "[#index open]" or "[#index L]" (the chosen side), "*" after
//   the index marking the current difference.
// Lines are separated by "\n".
std::string RenderModel(const CMergeModel& model);
