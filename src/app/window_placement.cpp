#include "app/window_placement.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace NWindowPlacement {

namespace {

QSize AtLeastMinimum(const QSize& size) {
    return size.expandedTo(kMinimumSize);
}

// Stored values come from outside the program: a rectangle whose right or
// bottom edge lies past the coordinate range is no placement at all.
bool FitsCoordinates(const NSettings::SWindowPos& pos, const QSize& size) {
    return std::int64_t{pos.left} + size.width() <= INT_MAX &&
           std::int64_t{pos.top} + size.height() <= INT_MAX;
}

bool ShowsEnoughOn(const QRect& window, const QRect& screen) {
    const QRect visible = window.intersected(screen);
    return visible.width() >= kLeastVisiblePart.width() &&
           visible.height() >= kLeastVisiblePart.height();
}

} // namespace

std::optional<QRect> RestoredPlacement(const std::optional<NSettings::SWindowPos>& stored,
                                       const QList<QRect>& screens) {
    if (!stored.has_value())
        return std::nullopt;
    const QSize size = AtLeastMinimum(QSize(stored->width, stored->height));
    if (!FitsCoordinates(*stored, size))
        return std::nullopt;
    const QRect window(QPoint(stored->left, stored->top), size);
    const bool onScreen = std::any_of(screens.begin(), screens.end(), [&](const QRect& screen) {
        return ShowsEnoughOn(window, screen);
    });
    if (!onScreen)
        return std::nullopt;
    return window;
}

QRect DefaultPlacement(const QRect& primaryScreen) {
    const QSize size =
        AtLeastMinimum(QSize(primaryScreen.width() * 4 / 5, primaryScreen.height() * 4 / 5));
    const QPoint topLeft(primaryScreen.left() + (primaryScreen.width() - size.width()) / 2,
                         primaryScreen.top() + (primaryScreen.height() - size.height()) / 2);
    return QRect(topLeft, size);
}

NSettings::SWindowPos StoredPlacement(const QRect& frame) {
    return NSettings::SWindowPos{frame.left(), frame.top(), frame.width(), frame.height()};
}

} // namespace NWindowPlacement
