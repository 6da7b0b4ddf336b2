#pragma once

#include <QIcon>
#include <QString>

// The toolbar's images, numbered in the order of its buttons (the index of an
// image in the strip). The toolbar puts its one separator between Search and
// PreviousDifference.
enum class EToolbarImage {
    Open,
    Reload,
    Save,
    Search,
    PreviousDifference,
    NextDifference,
    PreviousConflict,
    NextConflict,
    ResolveLeft,
    ResolveBase,
    ResolveRight,
};
inline constexpr int kToolbarImageCount = 11;

// The resource path of a toolbar image's SVG file.
QString ToolbarImagePath(EToolbarImage image);

// A toolbar image as an icon drawn at any size and pixel ratio; its disabled
// mode is the image blended at kDisabledStrength.
QIcon ToolbarIcon(EToolbarImage image);

// The images of the Preferences tree: its three categories, then a format
// specification and an element rule. Groups show the Formats image.
enum class EPreferencesImage { Display, Updates, Formats, FileSpec, ElementSpec };
QIcon PreferencesIcon(EPreferencesImage image);

// The resource path of the program's icon, and the icon itself (the windows,
// About and the desktop file show it).
QString ProgramIconPath();
QIcon ProgramIcon();
