#pragma once

#include <span>

// The whole process: reads the command line, loads the settings, the texts
// and the format specifications, then either runs silently (loads the
// operation, writes the report and, for a merge, the result) or shows the
// window. Without a display, a run that needs the window says so and ends.
// `arguments` are those after the program's name, as the process received
// them. Returns the exit code.
int RunApplication(std::span<const char* const> arguments);
