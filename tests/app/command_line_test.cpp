#include "app/command_line.h"
#include "compare/side_order.h"
#include "services/flags.h"
#include "services/settings_backend.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

using namespace NSettings;

namespace {

SCommandLine Read(std::initializer_list<const char*> arguments) {
    const std::vector<const char*> list(arguments);
    return ReadCommandLine(list);
}

std::string Utf8(const NString::TStr<char16_t>& text) {
    return NString::TStr<char>(text.Text()).Text();
}

// The options' effects, one line each: base, left, right paths, the three
// titles, result, report, then the switches.
std::string Summary(const SCommandLine& line) {
    std::string summary;
    for (const auto& path : line.paths)
        summary += Utf8(path) + "|";
    for (const auto& title : line.titles)
        summary += Utf8(title) + "|";
    summary += Utf8(line.resultPath) + "|" + Utf8(line.reportPath) + "|";
    summary += line.silent ? "S" : "-";
    summary += !line.merge ? "?" : *line.merge ? "M" : "C";
    summary += line.reportRequested ? "R" : "-";
    summary += line.baseNamed ? "B" : "-";
    summary += line.fileNamed ? "F" : "-";
    summary += line.helpAsked ? "H" : "-";
    summary += line.versionAsked ? "V" : "-";
    return summary;
}

struct SCase {
    std::initializer_list<const char*> arguments;
    const char* summary;
};

} // namespace

TEST(CommandLine, ReadsEveryOptionWithEitherPrefixInAnyCase) {
    const SCase cases[] = {
        {{"-silent", "-merge", "-base", "b.xml", "-left", "l.xml", "-right", "r.xml", "-result",
          "m.xml", "-report", "rep.txt", "-basetitle", "B", "-lefttitle", "L", "-righttitle", "R"},
         "b.xml|l.xml|r.xml|B|L|R|m.xml|rep.txt|SMRBF--"},
        {{"/MERGE", "/Left", "a.xml", "/RIGHT", "b.xml"}, "|a.xml|b.xml||||||-M--F--"},
        {{"-compare", "-merge", "-compare"}, "||||||||-C-----"},
        // A value is the next argument whatever it looks like.
        {{"-left", "-right", "-right", "/compare", "-lefttitle", "old\\draft"},
         "|-right|/compare||old\\draft||||-?--F--"},
        // Later occurrences win; the last option without its value is ignored.
        {{"-report", "r1.txt", "-report", "r2.txt", "-report"}, "|||||||r2.txt|-?R----"},
        {{"-report"}, "||||||||-?-----"},
        // Plain words and unknown options are skipped.
        {{"a.xml", "-unknown", "b.xml", "--left", "c.xml", "-", "/"}, "||||||||-?-----"},
        {{"--help", "-VERSION"}, "||||||||-?---HV"},
        {{"/?", "-left", "--version"}, "|--version|||||||-?--FH-"},
        {{"-base", "c.xml"}, "c.xml||||||||-?-B---"},
        {{"-left", "\xC3\xA9.xml"}, "|\xC3\xA9.xml|||||||-?--F--"},
    };
    for (const SCase& test : cases)
        EXPECT_EQ(Summary(Read(test.arguments)), test.summary)
            << *test.arguments.begin() << " ... (" << test.arguments.size() << " arguments)";
}

TEST(CommandLine, RemembersTheFirstMistakeAndTheArgumentItIsAbout) {
    struct SErrorCase {
        std::initializer_list<const char*> arguments;
        ECommandLineError error;
        const char* argument;
    };
    using enum ECommandLineError;
    const SErrorCase cases[] = {
        {{"-silent", "-merge", "-left", "a", "-right", "b", "-result", "m"}, None, ""},
        {{"-compare", "-left", "a", "-compare"}, None, ""},
        // A word starting with "/" that names no option may be a path.
        {{"a.xml", "/tmp/b.xml", "/"}, None, ""},
        {{"a.xml", "-unknown", "b.xml", "--left", "c.xml"}, UnknownOption, "-unknown"},
        {{"-"}, UnknownOption, "-"},
        {{"-left", "a", "-report"}, MissingValue, "-report"},
        {{"-left", "-report"}, None, ""},
        {{"-compare", "-merge", "-compare"}, BothOperations, "-merge"},
        {{"/MERGE", "-left", "a", "-COMPARE", "-x"}, BothOperations, "-COMPARE"},
        {{"-x", "-compare", "-merge", "-y", "-left"}, UnknownOption, "-x"},
    };
    for (const SErrorCase& test : cases) {
        const SCommandLine line = Read(test.arguments);
        EXPECT_EQ(line.error, test.error) << test.arguments.size() << " arguments";
        EXPECT_EQ(Utf8(line.errorArgument), test.argument) << test.arguments.size() << " arguments";
    }
}

TEST(CommandLine, AppliesItsFlagsAndTellsWhatTheRunIsToDo) {
    struct SApplyCase {
        std::initializer_list<const char*> arguments;
        std::uint32_t before;
        ECommandLineOutcome outcome;
        std::uint32_t after;
    };
    constexpr std::uint32_t kMerge3 = kFlagMerge | kFlagThreeWay;
    const SApplyCase cases[] = {
        {{"-merge", "-base", "c", "-left", "a", "-right", "b"},
         0,
         ECommandLineOutcome::Operation,
         kMerge3},
        // Without a base the three-way bit is cleared, and that persists.
        {{"-merge", "-left", "a", "-right", "b"},
         kMerge3,
         ECommandLineOutcome::Operation,
         kFlagMerge},
        {{"-silent", "-compare", "-left", "a", "-report", "r"},
         kMerge3,
         ECommandLineOutcome::Operation,
         kFlagSilent | kFlagReportRequested},
        // Files without an operation: the persisted operation is not used.
        {{"-left", "a", "-right", "b", "-base", "c"},
         kMerge3,
         ECommandLineOutcome::NoOperation,
         kMerge3},
        // No files: the operation bit changes, the three-way bit stays.
        {{"-compare", "-base", "c", "-silent"},
         kMerge3,
         ECommandLineOutcome::NoFiles,
         kFlagThreeWay | kFlagSilent},
        {{}, kFlagMerge, ECommandLineOutcome::NoFiles, kFlagMerge},
    };
    for (const SApplyCase& test : cases) {
        CMemoryBackend backend;
        CScopedBackend scoped(backend);
        CFlags flags;
        flags.Load(test.before);
        flags.Save();
        EXPECT_EQ(ApplyCommandLine(Read(test.arguments), flags), test.outcome);
        EXPECT_EQ(flags.Value(), test.after) << test.arguments.size() << " arguments";
        // What a later run finds in the store: only the persisted bits.
        CFlags next;
        next.Load(kDefaultFlags);
        EXPECT_EQ(next.Value(), test.after & kPersistedFlagMask);
    }
}

// The marker options are taken only for a silent three-way merge and with a
// size in range.
TEST(CommandLine, TakesMarkersOnlyForASilentThreeWayMerge) {
    struct SMarkerCase {
        std::initializer_list<const char*> arguments;
        ECommandLineError error;
        const char* argument;
        bool markers;
        int size;
    };
    using enum ECommandLineError;
    const SMarkerCase cases[] = {
        {{"-silent", "-merge", "-base", "o", "-left", "a", "-right", "b", "-markers"},
         None,
         "",
         true,
         7},
        {{"/MARKERS", "-markersize", "12", "-silent", "-base", "o", "-merge"}, None, "", true, 12},
        {{"-markers", "-silent", "-merge", "-base", "o", "-markersize", "1"}, None, "", true, 1},
        {{"-markers", "-silent", "-merge", "-base", "o", "-markersize", "100"},
         None,
         "",
         true,
         100},
        {{"-markers", "-silent", "-merge", "-base", "o", "-markersize", "0"},
         BadMarkerSize,
         "0",
         true,
         7},
        {{"-markers", "-silent", "-merge", "-base", "o", "-markersize", "101"},
         BadMarkerSize,
         "101",
         true,
         7},
        {{"-markers", "-silent", "-merge", "-base", "o", "-markersize", "-7"},
         BadMarkerSize,
         "-7",
         true,
         7},
        {{"-markers", "-silent", "-merge", "-base", "o", "-markersize", "7x"},
         BadMarkerSize,
         "7x",
         true,
         7},
        {{"-markers", "-silent", "-merge", "-base", "o", "-markersize", ""},
         BadMarkerSize,
         "",
         true,
         7},
        {{"-silent", "-merge", "-base", "o", "-markersize", "9"},
         MarkerSizeAlone,
         "-markersize",
         false,
         9},
        // A two-way merge, a merge with the window, a compare.
        {{"-silent", "-merge", "-left", "a", "-right", "b", "-markers"},
         MarkersNeedSilentMerge,
         "-markers",
         true,
         7},
        {{"-merge", "-base", "o", "-markers"}, MarkersNeedSilentMerge, "-markers", true, 7},
        {{"-silent", "-compare", "-base", "o", "-markers"},
         MarkersNeedSilentMerge,
         "-markers",
         true,
         7},
    };
    for (const SMarkerCase& test : cases) {
        const SCommandLine line = Read(test.arguments);
        EXPECT_EQ(line.error, test.error) << test.arguments.size() << " arguments";
        EXPECT_EQ(Utf8(line.errorArgument), test.argument) << test.arguments.size() << " arguments";
        EXPECT_EQ(line.markers, test.markers) << test.arguments.size() << " arguments";
        EXPECT_EQ(line.markerSize, test.size) << test.arguments.size() << " arguments";
    }
}

// Each label is the side's title, or else its path as given.
TEST(CommandLine, LabelsTheMarkersWithTitlesOrPaths) {
    const SConflictMarkers markers =
        ConflictMarkersOf(Read({"-markers", "-markersize", "9", "-base", "dir/o.xml", "-left",
                                "l.xml", "-right", "r.xml", "-lefttitle", "ours \xC3\xA9"}));
    EXPECT_EQ(markers.size, 9);
    EXPECT_EQ(markers.labels[kSideBase], "dir/o.xml");
    EXPECT_EQ(markers.labels[kSideLeft], "ours \xC3\xA9");
    EXPECT_EQ(markers.labels[kSideRight], "r.xml");
}
