#pragma once

#include "framework/str.h"
#include "merge/conflict_markers.h"

#include <array>
#include <optional>
#include <span>

namespace NSettings {
class CFlags;
}

enum class ECommandLineError {
    None,
    // An argument starting with "-" names no option.
    UnknownOption,
    // An option that takes a value is the last argument.
    MissingValue,
    // Both "compare" and "merge" were given.
    BothOperations,
    // "markersize" is no whole number in the range of marker sizes.
    BadMarkerSize,
    // "markers" in anything but a silent three-way merge.
    MarkersNeedSilentMerge,
    // "markersize" without "markers".
    MarkerSizeAlone,
};

// What the command line asks for. An argument is an option when it starts
// with "-" or "/"; the rest is its name in any letter case. An option that
// takes a value takes the next argument, whatever it looks like. Later
// occurrences replace earlier ones. An argument starting with "/" that names
// no option is taken for a path and ignored, like any other argument that is
// neither an option nor its value; one starting with "-" is an error.
struct SCommandLine {
    // Indexed by side: base, left, right. Empty when not given.
    std::array<NString::TStr<char16_t>, 3> paths;
    std::array<NString::TStr<char16_t>, 3> titles;
    NString::TStr<char16_t> resultPath;
    NString::TStr<char16_t> reportPath;
    bool silent = false;
    // Set by "merge", cleared by "compare"; empty when neither was given.
    std::optional<bool> merge;
    bool reportRequested = false;
    bool baseNamed = false;
    // "left" or "right" was given.
    bool fileNamed = false;
    bool helpAsked = false;
    bool versionAsked = false;
    // A silent merge writes its conflicts marked.
    bool markers = false;
    bool markerSizeGiven = false;
    int markerSize = SConflictMarkers::kDefaultSize;
    // The first mistake found, and the argument it is about.
    ECommandLineError error = ECommandLineError::None;
    NString::TStr<char16_t> errorArgument;
};

// Reads the arguments after the program's name. Touches nothing else.
SCommandLine ReadCommandLine(std::span<const char* const> arguments);

// How the conflicts are marked: labelled with each file's title, or else its
// path as given.
SConflictMarkers ConflictMarkersOf(const SCommandLine& commandLine);

enum class ECommandLineOutcome {
    // No files were named: the files come from the Open dialog.
    NoFiles,
    // Files were named but neither "compare" nor "merge".
    NoOperation,
    // Files and an operation were named.
    Operation,
};

// Sets the flags the command line names (silent, report, merge or compare,
// and with an operation the three-way bit, which the base file decides) and
// says what the run is to do.
ECommandLineOutcome ApplyCommandLine(const SCommandLine& commandLine, NSettings::CFlags& flags);
