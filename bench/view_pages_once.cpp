// Times what the document view asks of the block tree of a large merge: the
// layout after loading, finding the block of a line, reading and measuring a
// page of lines, and stepping through differences. The tool behind
// scripts/bench-view; the folder is one written by `match_once generate`.
//
//   view_pages_once <folder>

#include "loaded_operation.h"
#include "merge/block_base.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using CClock = std::chrono::steady_clock;

constexpr TLine kPageLines = 60;
constexpr int kPageRepeats = 5;
constexpr int kFindRepeats = 100;
constexpr int kJumps = 1000;

double MillisecondsSince(CClock::time_point start) {
    return std::chrono::duration<double, std::milli>(CClock::now() - start).count();
}

// Reads the text and colours of the page from line `first` on and measures
// each line, stepping from block to block as painting does; the right end of the widest line, so that the
// work cannot be left out.
int ReadPage(const CRootBlock& root, TLine first) {
    NString::TStr<char16_t> text;
    std::vector<COLORREF> colours;
    std::vector<SCharPlacement> placements;
    int widest = 0;
    const CBlockBase* block = root.FindLine(first);
    for (TLine n = first; block != nullptr && n < first + kPageLines; ++n) {
        block->GetLineText(text, n, &colours);
        block->MeasureLine(n, placements);
        widest = std::max(widest, placements.back().x);
        block = block->NextLineBlock(n);
    }
    return widest;
}

// Milliseconds per page at line `first`, over several readings.
double TimePage(const CRootBlock& root, TLine first, int& sink) {
    const CClock::time_point start = CClock::now();
    for (int repeat = 0; repeat < kPageRepeats; ++repeat)
        sink += ReadPage(root, first);
    return MillisecondsSince(start) / kPageRepeats;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: view_pages_once <folder>\n");
        return 2;
    }
    NBench::CLoadedOperation operation;
    if (!operation.Load(argv[1], true, true))
        return 2;
    CMergeModel& model = operation.model;
    CRootBlock& root = model.Root();
    const TLine count = model.LineCount();
    int sink = 0;

    CClock::time_point start = CClock::now();
    model.NumberAll();
    const double numbering = MillisecondsSince(start);
    start = CClock::now();
    root.InvalidateWidth();
    sink += root.GetWidth();
    const double widths = MillisecondsSince(start);

    // The last line is the end tag of the document element, which the first
    // block asked answers; the line before it lies under the last record.
    const TLine lastRecordLine = count - 2;
    start = CClock::now();
    for (int repeat = 0; repeat < kFindRepeats; ++repeat)
        sink += root.FindLine(lastRecordLine) != nullptr;
    const double findMicroseconds = MillisecondsSince(start) * 1000 / kFindRepeats;

    const double middlePage = TimePage(root, count / 2, sink);
    const double lastPage = TimePage(root, count - kPageLines, sink);

    double slowestJump = 0, allJumps = 0;
    int jumps = 0;
    for (; jumps < kJumps && model.CanGoNext(false); ++jumps) {
        start = CClock::now();
        model.GoNext(false);
        sink += ReadPage(root, model.CurrentDifference()->FirstLine());
        const double jump = MillisecondsSince(start);
        slowestJump = std::max(slowestJump, jump);
        allJumps += jump;
    }

    std::printf("load+match+blocks %.3f s  lines %u  differences %u  numbering %.1f ms  "
                "widths %.1f ms  find line before last %.2f us  page at middle %.3f ms  page at end %.3f ms  "
                "%d jumps with page: mean %.3f ms  slowest %.3f ms  (%d)\n",
                operation.load.seconds + operation.match.seconds + operation.blocks.seconds,
                count, model.DifferenceCount(), numbering, widths, findMicroseconds, middlePage, lastPage, jumps,
                jumps > 0 ? allJumps / jumps : 0.0, slowestJump, sink & 1);
    return 0;
}
