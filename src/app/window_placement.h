#pragma once

#include "services/display_settings.h"

#include <QList>
#include <QRect>
#include <QSize>
#include <optional>

// Where the main window goes. Every rectangle here is the window's outer
// (frame) rectangle in screen coordinates, as the placement is stored.
namespace NWindowPlacement {

// The window is never made smaller than this, by the user or by a placement.
inline constexpr QSize kMinimumSize{600, 300};

// A stored placement counts as on a screen when at least this much of it is
// visible on one screen: enough to catch the title bar and drag it back.
inline constexpr QSize kLeastVisiblePart{100, 50};

// The stored placement, grown to the minimum size, when that window is on
// one of `screens` (their available geometries); none when nothing is stored
// or the window would be off every screen (a screen removed or rearranged
// since), and the caller then uses DefaultPlacement.
std::optional<QRect> RestoredPlacement(const std::optional<NSettings::SWindowPos>& stored,
                                       const QList<QRect>& screens);

// 80 % of the width and height of `primaryScreen` (never below the minimum
// size), centred on it.
QRect DefaultPlacement(const QRect& primaryScreen);

// The placement to store for a window whose outer rectangle is `frame`.
NSettings::SWindowPos StoredPlacement(const QRect& frame);

} // namespace NWindowPlacement
