#include "framework/window/path_shortening.h"

#include <QFontMetrics>

namespace NWindows {

namespace {

constexpr QChar kSeparator = u'/';
constexpr QStringView kCutMark = u"...";
// Shorter folders gain too little from being cut to lose their name.
constexpr qsizetype kShortestCutFolder = 5;

} // namespace

QString ShortenPath(const QString& path, const QFontMetrics& metrics, int width) {
    QString text = path;
    bool cutMarked = false;
    // The separator in front of the next folder to look at.
    qsizetype separator = text.indexOf(kSeparator);
    while (separator >= 0 && metrics.horizontalAdvance(text) > width) {
        const qsizetype next = text.indexOf(kSeparator, separator + 1);
        if (next < 0)
            break; // what follows is the file name
        const qsizetype folderLength = next - separator - 1;
        if (cutMarked) {
            // Every folder after the mark goes, short ones too, so that all
            // that is cut sits in one place behind the mark.
            text.remove(separator, next - separator);
        } else if (folderLength < kShortestCutFolder) {
            separator = next;
        } else {
            text.replace(separator + 1, folderLength, kCutMark.data(), kCutMark.size());
            cutMarked = true;
            separator += 1 + kCutMark.size();
        }
    }
    if (metrics.horizontalAdvance(text) > width)
        return metrics.elidedText(text, Qt::ElideLeft, width);
    return text;
}

} // namespace NWindows
