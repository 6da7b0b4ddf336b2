#pragma once

#include <span>

// The whole process for the runs that need no window: reads the command
// line, loads the settings, the texts and the format specifications, loads
// the operation, writes the report and, for a silent merge, the result.
// Runs that need the window say so and end. `arguments` are those after the
// program's name, as the process received them. Returns the exit code.
int RunApplication(std::span<const char* const> arguments);
