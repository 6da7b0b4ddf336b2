#pragma once

#include <functional>

class QWidget;

// At exit, while the download of a new version still runs: shows that the
// program waits for it, with Cancel, and asks `isRunning` every 200 ms. True
// once the download has stopped (whether it was written or failed), at once
// when none runs; false when the user cancelled the wait.
bool WaitForDownload(QWidget* owner, std::function<bool()> isRunning);
