#pragma once

#include <functional>

// Runs `work` as a job on a worker thread, whose stack is large enough for
// the recursive walks of deep documents, and keeps the user-interface thread
// processing events until it has ended: the windows repaint, and questions
// the work asks through the prompts are answered. The user's input to the
// windows waits meanwhile. False, without running `work`, when no job could
// be queued.
bool RunInBackground(const std::function<void()>& work);
