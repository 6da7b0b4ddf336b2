#pragma once

// Tells the user, through the current prompts, that the file at `path` could
// not be written and why: `systemError` is the error number (errno) of the
// step that failed. A missing folder is named as such.
void ShowWriteFailure(const char16_t* path, int systemError);
