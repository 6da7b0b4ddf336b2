#include "icons/icon_set.h"

#include "icons/svg_icon_engine.h"

#include <array>

namespace {

// File names in data/icons, by image index.
constexpr std::array<const char*, kToolbarImageCount> kToolbarFiles = {
    "open.svg",
    "reload.svg",
    "save.svg",
    "search.svg",
    "previous-difference.svg",
    "next-difference.svg",
    "previous-conflict.svg",
    "next-conflict.svg",
    "resolve-left.svg",
    "resolve-base.svg",
    "resolve-right.svg",
};

QString ResourcePath(const char* fileName) {
    return QStringLiteral(":/icons/") + QLatin1StringView(fileName);
}

} // namespace

QString ToolbarImagePath(EToolbarImage image) {
    return ResourcePath(kToolbarFiles.at(static_cast<std::size_t>(image)));
}

QIcon ToolbarIcon(EToolbarImage image) {
    return QIcon(new CSvgIconEngine(ToolbarImagePath(image)));
}

QIcon PreferencesIcon(EPreferencesImage image) {
    static constexpr std::array<const char*, 5> kFiles = {
        "prefs-display.svg",   "prefs-updates.svg",      "prefs-formats.svg",
        "prefs-file-spec.svg", "prefs-element-spec.svg",
    };
    return QIcon(new CSvgIconEngine(ResourcePath(kFiles.at(static_cast<std::size_t>(image)))));
}

QString ProgramIconPath() {
    return ResourcePath("quillmere.svg");
}

QIcon ProgramIcon() {
    return QIcon(new CSvgIconEngine(ProgramIconPath()));
}
