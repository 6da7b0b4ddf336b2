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
        EXPECT_EQ(Utf8(line.errorArgument), test.argument) << test.arguments.size();
    }
}

TEST(CommandLine, AppliesItsFlagsAndTellsWhatTheRunIsToDo) {
    using enum ECommandLineOutcome;
    constexpr std::uint32_t kMerge3 = kFlagMerge | kFlagThreeWay;
    constexpr std::uint32_t kSilentReport = kFlagSilent | kFlagReportRequested;
    const struct {
        std::initializer_list<const char*> arguments;
        std::uint32_t before;
        ECommandLineOutcome outcome;
        std::uint32_t after;
    } cases[] = {
        {{"-merge", "-base", "c", "-left", "a", "-right", "b"}, 0, Operation, kMerge3},
        // Without a base the three-way bit is cleared, and that persists.
        {{"-merge", "-left", "a", "-right", "b"}, kMerge3, Operation, kFlagMerge},
        {{"-silent", "-compare", "-left", "a", "-report", "r"}, kMerge3, Operation, kSilentReport},
        // Files without an operation: the persisted operation is not used.
        {{"-left", "a", "-right", "b", "-base", "c"}, kMerge3, NoOperation, kMerge3},
        // No files: the operation bit changes, the three-way bit stays.
        {{"-compare", "-base", "c", "-silent"}, kMerge3, NoFiles, kFlagThreeWay | kFlagSilent},
        {{}, kFlagMerge, NoFiles, kFlagMerge},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.arguments.size());
        CMemoryBackend backend;
        CScopedBackend scoped(backend);
        CFlags flags;
        flags.Load(test.before);
        flags.Save();
        EXPECT_EQ(ApplyCommandLine(Read(test.arguments), flags), test.outcome);
        EXPECT_EQ(flags.Value(), test.after);
        // What a later run finds in the store: only the persisted bits.
        CFlags next;
        next.Load(kDefaultFlags);
        EXPECT_EQ(next.Value(), test.after & kPersistedFlagMask);
    }
}

// Only decimal digits from 1 to 100 make a marker size; the default stays
// otherwise.
TEST(CommandLine, TakesOnlyMarkerSizesInRange) {
    using enum ECommandLineError;
    const struct {
        const char* value;
        ECommandLineError error;
        int size;
    } cases[] = {
        {"12", None, 12},          {"1", None, 1},
        {"100", None, 100},        {"0", BadMarkerSize, 7},
        {"101", BadMarkerSize, 7}, {"-7", BadMarkerSize, 7},
        {"7x", BadMarkerSize, 7},  {"", BadMarkerSize, 7},
    };
    for (const auto& test : cases) {
        const SCommandLine line =
            Read({"-markers", "-silent", "-merge", "-base", "o", "-markersize", test.value});
        EXPECT_EQ(line.error, test.error) << test.value;
        EXPECT_EQ(Utf8(line.errorArgument), test.error == None ? "" : test.value) << test.value;
        EXPECT_EQ(line.markerSize, test.size) << test.value;
    }
}

// The marker options are taken only for a silent three-way merge, wherever
// they stand.
TEST(CommandLine, TakesMarkersOnlyForASilentThreeWayMerge) {
    using enum ECommandLineError;
    constexpr auto kAlone = MarkerSizeAlone;
    constexpr auto kNotMerge3 = MarkersNeedSilentMerge;
    const struct {
        std::initializer_list<const char*> arguments;
        ECommandLineError error;
        const char* argument;
        bool markers;
        int size;
    } cases[] = {
        {{"-silent", "-merge", "-base", "o", "-left", "a", "-markers"}, None, "", true, 7},
        {{"/MARKERS", "-markersize", "12", "-silent", "-base", "o", "-merge"}, None, "", true, 12},
        {{"-silent", "-merge", "-base", "o", "-markersize", "9"}, kAlone, "-markersize", false, 9},
        // A two-way merge, a merge with the window, a compare.
        {{"-silent", "-merge", "-left", "a", "-markers"}, kNotMerge3, "-markers", true, 7},
        {{"-merge", "-base", "o", "-markers"}, kNotMerge3, "-markers", true, 7},
        {{"-silent", "-compare", "-base", "o", "-markers"}, kNotMerge3, "-markers", true, 7},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.arguments.size());
        const SCommandLine line = Read(test.arguments);
        EXPECT_EQ(line.error, test.error);
        EXPECT_EQ(Utf8(line.errorArgument), test.argument);
        EXPECT_EQ(line.markers, test.markers);
        EXPECT_EQ(line.markerSize, test.size);
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
