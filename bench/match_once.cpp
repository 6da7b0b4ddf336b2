// Generates the documents of a comparison, or loads, matches and builds the
// merge model of one, timing each step: the tool behind scripts/bench-match.
//
//   match_once generate <records|nested|deep> <megabytes> <ordered|unordered> <folder>
//   match_once run <folder> <two-way|three-way> <compare|merge>

#include "framework/job.h"
#include "framework/thread.h"
#include "loaded_operation.h"
#include "operation_documents.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>

namespace {

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
    NBench::CLoadedOperation operation;
    if (!operation.Load(arguments[0], std::string(arguments[1]) == "three-way",
                        std::string(arguments[2]) == "merge"))
        return 2;
    const CMergeModel& model = operation.model;
    std::printf("load %.3f s  match %.3f s  blocks %.3f s  total %.3f s  "
                "match nodes %u  differences %u  conflicts %u  lines %u  "
                "match +%ld kB  blocks +%ld kB  peak %ld kB\n",
                operation.load.seconds, operation.match.seconds, operation.blocks.seconds,
                operation.load.seconds + operation.match.seconds + operation.blocks.seconds,
                operation.root.ChildCount(true), model.DifferenceCount(), model.ConflictCount(),
                model.LineCount(), operation.match.kilobytes, operation.blocks.kilobytes,
                PeakKilobytes());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "generate" && argc == 6)
        return Generate(argv + 2);
    if (command == "run" && argc == 5) {
        // On a job thread's stack, as the program matches: building the
        // model of a deep document recurses along its depth.
        int result = 2;
        NSys::RunWithStack(NSys::CJobThread::kStackSize, [&] { result = Run(argv + 2); });
        return result;
    }
    std::fprintf(stderr,
                 "usage: match_once generate <records|nested|deep> <megabytes> <ordered|unordered> "
                 "<folder>\n       match_once run <folder> <two-way|three-way> <compare|merge>\n");
    return 2;
}
