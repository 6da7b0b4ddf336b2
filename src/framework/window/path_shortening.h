#pragma once

#include <QString>

class QFontMetrics;

namespace NWindows {

// `path` made to fit `width` pixels in the font of `metrics`. Folders are cut
// first, from the front, keeping the root and the file name: folders shorter
// than 5 characters are passed over until the first longer one, which becomes
// "..."; then the folders after the mark are removed one by one, whatever
// their length, so that everything cut sits behind the one mark. When that
// is not enough, the rest is elided at its start with an ellipsis, so the
// file name stays in view as far as it can and a cut is always marked. A path
// that fits is returned as it is.
QString ShortenPath(const QString& path, const QFontMetrics& metrics, int width);

} // namespace NWindows
