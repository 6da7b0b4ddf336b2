// Generates the documents of a comparison, or loads, matches and builds the
// merge model of one, timing each step: the tool behind scripts/bench-match.
//
//   match_once generate <records|nested> <megabytes> <ordered|unordered> <folder>
//   match_once run <folder> <two-way|three-way> <compare|merge>

#include "compare/data_node.h"
#include "formats/file_spec.h"
#include "merge/block_building.h"
#include "merge/merge_model.h"
#include "operation_documents.h"
#include "xml/doc.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using CClock = std::chrono::steady_clock;

std::u16string Utf16(const std::filesystem::path& path) {
    const std::string text = path.string();
    return std::u16string(text.begin(), text.end());
}

double SecondsSince(CClock::time_point start) {
    return std::chrono::duration<double>(CClock::now() - start).count();
}

// The resident set now, which the peak cannot show per step.
long ResidentKilobytes() {
    long pages = 0, resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int Generate(char** arguments) {
    NBench::EOperationShape shape;
    if (!NBench::OperationShapeFromName(arguments[0], shape))
        return 2;
    const std::size_t megabytes = std::strtoul(arguments[1], nullptr, 10);
    const bool unordered = std::string(arguments[2]) == "unordered";
    const std::filesystem::path folder(arguments[3]);
    std::filesystem::create_directories(folder);
    const NBench::SOperationDocuments documents =
        NBench::GenerateOperation(shape, megabytes << 20, unordered);
    std::ofstream(folder / "base.xml", std::ios::binary) << documents.base;
    std::ofstream(folder / "left.xml", std::ios::binary) << documents.left;
    std::ofstream(folder / "right.xml", std::ios::binary) << documents.right;
    std::ofstream(folder / "bench.qmfmt", std::ios::binary) << documents.spec;
    return 0;
}

int Run(char** arguments) {
    const std::filesystem::path folder(arguments[0]);
    SMatchContext context;
    context.order.Fill(std::string(arguments[1]) == "three-way");
    context.merge = std::string(arguments[2]) == "merge";
    ESpecFileError specError = ESpecFileError::None;
    const std::unique_ptr<CFileSpec> spec(
        LoadSpecFile(Utf16(folder / "bench.qmfmt").c_str(), specError));
    if (!spec)
        return 2;
    context.spec = spec.get();

    CClock::time_point start = CClock::now();
    NXML::CDoc base, left, right;
    if (left.Load(Utf16(folder / "left.xml").c_str()) != 1 ||
        right.Load(Utf16(folder / "right.xml").c_str()) != 1 ||
        (context.order.IsThreeWay() && base.Load(Utf16(folder / "base.xml").c_str()) != 1))
        return 2;
    const double load = SecondsSince(start);
    const long loaded = ResidentKilobytes();

    start = CClock::now();
    CDocNode root;
    root.Match(&base, &left, &right, context);
    const double match = SecondsSince(start);
    const long matched = ResidentKilobytes();

    start = CClock::now();
    CMergeModel model;
    BuildModel(model, root, context);
    const double blocks = SecondsSince(start);
    const long built = ResidentKilobytes();

    std::printf("load %.3f s  match %.3f s  blocks %.3f s  total %.3f s  "
                "match nodes %u  differences %u  conflicts %u  lines %u  "
                "match +%ld kB  blocks +%ld kB  peak %ld kB\n",
                load, match, blocks, load + match + blocks, root.ChildCount(true),
                model.DifferenceCount(), model.ConflictCount(), model.LineCount(), matched - loaded,
                built - matched, PeakKilobytes());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "generate" && argc == 6)
        return Generate(argv + 2);
    if (command == "run" && argc == 5)
        return Run(argv + 2);
    std::fprintf(stderr,
                 "usage: match_once generate <records|nested> <megabytes> <ordered|unordered> "
                 "<folder>\n       match_once run <folder> <two-way|three-way> <compare|merge>\n");
    return 2;
}
