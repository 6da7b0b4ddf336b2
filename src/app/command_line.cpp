#include "app/command_line.h"

#include "compare/side_order.h"
#include "framework/string_functions.h"
#include "services/flags.h"

#include <charconv>
#include <cstring>
#include <string_view>

namespace {

enum class EOption {
    Silent,
    Compare,
    Merge,
    BaseTitle,
    LeftTitle,
    RightTitle,
    Base,
    Left,
    Right,
    Result,
    Report,
    Markers,
    MarkerSize,
    Help,
    Version,
};

struct SOptionName {
    const char* name;
    EOption option;
};

// "-help" and "-version" also match "--help" and "--version".
constexpr SOptionName kOptions[] = {
    {"silent", EOption::Silent},       {"compare", EOption::Compare},
    {"merge", EOption::Merge},         {"basetitle", EOption::BaseTitle},
    {"lefttitle", EOption::LeftTitle}, {"righttitle", EOption::RightTitle},
    {"base", EOption::Base},           {"left", EOption::Left},
    {"right", EOption::Right},         {"result", EOption::Result},
    {"report", EOption::Report},       {"help", EOption::Help},
    {"-help", EOption::Help},          {"?", EOption::Help},
    {"version", EOption::Version},     {"-version", EOption::Version},
    {"markers", EOption::Markers},     {"markersize", EOption::MarkerSize},
};

std::optional<EOption> OptionOf(const char* argument) {
    if (argument[0] != '-' && argument[0] != '/')
        return std::nullopt;
    for (const SOptionName& entry : kOptions)
        if (NString::CompareNoCase(argument + 1, entry.name) == 0)
            return entry.option;
    return std::nullopt;
}

bool TakesValue(EOption option) {
    switch (option) {
    case EOption::Silent:
    case EOption::Compare:
    case EOption::Merge:
    case EOption::Markers:
    case EOption::Help:
    case EOption::Version:
        return false;
    default:
        return true;
    }
}

void Fail(SCommandLine& commandLine, ECommandLineError error, const char* argument) {
    if (commandLine.error != ECommandLineError::None)
        return;
    commandLine.error = error;
    commandLine.errorArgument = argument;
}

void SetOperation(SCommandLine& commandLine, bool merge, const char* argument) {
    if (commandLine.merge && *commandLine.merge != merge)
        Fail(commandLine, ECommandLineError::BothOperations, argument);
    commandLine.merge = merge;
}

void ApplySwitch(SCommandLine& commandLine, EOption option, const char* argument) {
    switch (option) {
    case EOption::Silent:
        commandLine.silent = true;
        break;
    case EOption::Compare:
        SetOperation(commandLine, false, argument);
        break;
    case EOption::Merge:
        SetOperation(commandLine, true, argument);
        break;
    case EOption::Markers:
        commandLine.markers = true;
        break;
    case EOption::Help:
        commandLine.helpAsked = true;
        break;
    case EOption::Version:
        commandLine.versionAsked = true;
        break;
    default:
        break;
    }
}

// Only decimal digits make a size.
void SetMarkerSize(SCommandLine& commandLine, const char* value) {
    const char* end = value + std::strlen(value);
    int size = 0;
    const auto [stop, error] = std::from_chars(value, end, size);
    commandLine.markerSizeGiven = true;
    if (error != std::errc() || stop != end || size < SConflictMarkers::kSmallestSize ||
        size > SConflictMarkers::kLargestSize)
        Fail(commandLine, ECommandLineError::BadMarkerSize, value);
    else
        commandLine.markerSize = size;
}

// The marker options fit only a silent three-way merge, which writes them.
void CheckMarkers(SCommandLine& commandLine) {
    if (commandLine.markerSizeGiven && !commandLine.markers)
        Fail(commandLine, ECommandLineError::MarkerSizeAlone, "-markersize");
    if (commandLine.markers &&
        !(commandLine.silent && commandLine.merge.value_or(false) && commandLine.baseNamed))
        Fail(commandLine, ECommandLineError::MarkersNeedSilentMerge, "-markers");
}

void ApplyValue(SCommandLine& commandLine, EOption option, const char* value) {
    switch (option) {
    case EOption::BaseTitle:
        commandLine.titles[kSideBase] = value;
        break;
    case EOption::LeftTitle:
        commandLine.titles[kSideLeft] = value;
        break;
    case EOption::RightTitle:
        commandLine.titles[kSideRight] = value;
        break;
    case EOption::Base:
        commandLine.paths[kSideBase] = value;
        commandLine.baseNamed = true;
        break;
    case EOption::Left:
        commandLine.paths[kSideLeft] = value;
        commandLine.fileNamed = true;
        break;
    case EOption::Right:
        commandLine.paths[kSideRight] = value;
        commandLine.fileNamed = true;
        break;
    case EOption::Result:
        commandLine.resultPath = value;
        break;
    case EOption::Report:
        commandLine.reportPath = value;
        commandLine.reportRequested = true;
        break;
    case EOption::MarkerSize:
        SetMarkerSize(commandLine, value);
        break;
    default:
        break;
    }
}

} // namespace

SCommandLine ReadCommandLine(std::span<const char* const> arguments) {
    SCommandLine commandLine;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const char* argument = arguments[index];
        const std::optional<EOption> option = OptionOf(argument);
        if (!option) {
            if (argument[0] == '-')
                Fail(commandLine, ECommandLineError::UnknownOption, argument);
        } else if (!TakesValue(*option)) {
            ApplySwitch(commandLine, *option, argument);
        } else if (index + 1 < arguments.size()) {
            ++index;
            ApplyValue(commandLine, *option, arguments[index]);
        } else {
            Fail(commandLine, ECommandLineError::MissingValue, argument);
        }
    }
    CheckMarkers(commandLine);
    return commandLine;
}

SConflictMarkers ConflictMarkersOf(const SCommandLine& commandLine) {
    SConflictMarkers markers;
    markers.size = commandLine.markerSize;
    for (std::size_t side = 0; side < markers.labels.size(); ++side) {
        const NString::TStr<char16_t>& title = commandLine.titles[side];
        const NString::TStr<char> label(title.IsEmpty() ? commandLine.paths[side].Text()
                                                        : title.Text());
        markers.labels[side] = label.Text();
    }
    return markers;
}

ECommandLineOutcome ApplyCommandLine(const SCommandLine& commandLine, NSettings::CFlags& flags) {
    if (commandLine.silent)
        flags.Set(NSettings::kFlagSilent);
    if (commandLine.reportRequested)
        flags.Set(NSettings::kFlagReportRequested);
    if (commandLine.merge)
        flags.Change(NSettings::kFlagMerge, *commandLine.merge);
    if (!commandLine.fileNamed)
        return ECommandLineOutcome::NoFiles;
    if (!commandLine.merge)
        return ECommandLineOutcome::NoOperation;
    flags.Change(NSettings::kFlagThreeWay, commandLine.baseNamed);
    return ECommandLineOutcome::Operation;
}
