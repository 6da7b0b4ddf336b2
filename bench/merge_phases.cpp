// Runs the steps of a silent three-way merge with report one after the other
// on a generated operation (a folder written by `match_once generate`),
// printing the time and resident-memory growth of each step, then what the
// objects the merge holds take, kind by kind: the breakdowns of
// bench/merge-bench.
//
//   merge_phases <folder>

#include "compare/data_node.h"
#include "framework/buffer.h"
#include "framework/file.h"
#include "framework/result.h"
#include "framework/target_file.h"
#include "loaded_operation.h"
#include "merge/attribute_block.h"
#include "merge/block_base.h"
#include "merge/block_building.h"
#include "merge/block_selector.h"
#include "merge/conflict_markers.h"
#include "merge/content_block.h"
#include "merge/element_block.h"
#include "merge/report.h"
#include "merge/result_file.h"
#include "services/prompts.h"
#include "xml/attribute.h"
#include "xml/content.h"
#include "xml/element.h"
#include "xml/input_decoder.h"
#include "xml/parser.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <sys/resource.h>

namespace {

using CClock = std::chrono::steady_clock;

std::u16string Utf16(const std::filesystem::path& path) {
    const std::string text = path.string();
    return std::u16string(text.begin(), text.end());
}

// Page faults of the whole process so far: where pages are expensive to
// touch first, a step costs by its faults as much as by its work.
long MinorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// Times `step` and prints it with the resident set's growth and its faults.
bool RunStep(const char* name, const std::function<bool()>& step) {
    const long residentBefore = NBench::ResidentKilobytes();
    const long faultsBefore = MinorFaults();
    const CClock::time_point start = CClock::now();
    const bool done = step();
    const double seconds = std::chrono::duration<double>(CClock::now() - start).count();
    std::printf("  %-16s %8.3f s  %+9ld kB  %8ld page faults\n", name, seconds,
                NBench::ResidentKilobytes() - residentBefore, MinorFaults() - faultsBefore);
    if (!done)
        std::printf("  %s failed\n", name);
    return done;
}

// Objects of one kind: how many and the bytes of one.
struct SKind {
    std::size_t count = 0;
    std::size_t size = 0;
};
using CKinds = std::map<std::string, SKind>;

void Count(CKinds& kinds, const std::string& name, std::size_t size) {
    SKind& kind = kinds[name];
    ++kind.count;
    kind.size = size;
}

// Calls `count` with every node below `root`, in document order and without
// recursion: every tree of the merge is made of NPtr::CNode.
template <typename TNode, typename FCount>
void ForEachBelow(const NPtr::CNode& root, FCount count) {
    for (const NPtr::CNode* node = root.NextInSubtree(&root); node != nullptr;
         node = root.NextInSubtree(node))
        count(static_cast<const TNode&>(*node));
}

// An XML node by its kind, an element with its attributes.
void CountXmlNode(const NXML::CNode& node, CKinds& kinds) {
    if (const auto* element = dynamic_cast<const NXML::CElement*>(&node)) {
        Count(kinds, "XML element", sizeof(NXML::CElement));
        for (const NXML::CAttribute* attribute = element->FirstAttribute(); attribute != nullptr;
             attribute = attribute->NextAttribute())
            Count(kinds, "XML attribute", sizeof(NXML::CAttribute));
    } else if (dynamic_cast<const NXML::CContent*>(&node) != nullptr) {
        Count(kinds, "XML text", sizeof(NXML::CContent));
    } else {
        Count(kinds, "XML other node", sizeof(NXML::CNode));
    }
}

// A match-tree node by its kind, an element's with its attribute nodes.
void CountMatchNode(const CDataNode& node, CKinds& kinds) {
    if (const CElementNode* element = node.AsElementNode()) {
        Count(kinds, "match element", sizeof(CElementNode));
        for (const CDataNode* attribute = element->attributes.FirstChildNode();
             attribute != nullptr; attribute = attribute->NextSiblingNode())
            Count(kinds, "match attribute", sizeof(CAttributeNode));
    } else {
        Count(kinds, "match other node", sizeof(CDataNode));
    }
}

// A block by its class, an element's with its attribute blocks, which hang
// off the element rather than among its children.
void CountBlock(const CBlockBase& block, CKinds& kinds) {
    if (const auto* element = dynamic_cast<const CElementBlock*>(&block)) {
        Count(kinds, "block element", sizeof(CElementBlock));
        ForEachBelow<CBlockBase>(element->Attributes(), [&kinds](const CBlockBase& attribute) {
            CountBlock(attribute, kinds);
        });
    } else if (dynamic_cast<const CAttributeBlock*>(&block) != nullptr)
        Count(kinds, "block attribute", sizeof(CAttributeBlock));
    else if (dynamic_cast<const CContentBlock*>(&block) != nullptr)
        Count(kinds, "block text or comment", sizeof(CContentBlock));
    else if (dynamic_cast<const CBlockSelector*>(&block) != nullptr)
        Count(kinds, "block difference", sizeof(CBlockSelector));
    else
        Count(kinds, "block other", sizeof(CSimpleBlock));
}

void PrintKinds(const CKinds& kinds, std::size_t decodedBytes, std::size_t inputBytes) {
    std::size_t total = decodedBytes;
    std::printf("  %-34s %12s %8s %12s\n", "object kind", "count", "bytes", "total MB");
    for (const auto& [name, kind] : kinds) {
        std::printf("  %-34s %12zu %8zu %12.1f\n", name.c_str(), kind.count, kind.size,
                    static_cast<double>(kind.count * kind.size) / (1 << 20));
        total += kind.count * kind.size;
    }
    std::printf("  %-34s %12s %8s %12.1f\n", "decoded text (3 documents)", "", "",
                static_cast<double>(decodedBytes) / (1 << 20));
    std::printf("  %-34s %12s %8s %12.1f  (%.1f x the input)\n", "sum", "", "",
                static_cast<double>(total) / (1 << 20),
                static_cast<double>(total) / static_cast<double>(inputBytes));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: merge_phases <folder>\n");
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    // What the steps would tell the user is shown only when one fails.
    std::ostringstream messages;
    NPrompts::CHeadlessPrompts prompts(messages);
    const NPrompts::CScopedPrompts quiet(prompts);
    NBench::CLoadedOperation operation;
    ESpecFileError specError = ESpecFileError::None;
    operation.spec.reset(LoadSpecFile(Utf16(folder / "bench.qmfmt").c_str(), specError));
    if (!operation.spec)
        return 2;
    operation.context.order.Fill(true);
    operation.context.merge = true;
    operation.context.spec = operation.spec.get();
    NXML::CDoc* documents[] = {&operation.base, &operation.left, &operation.right};
    const char* names[] = {"base.xml", "left.xml", "right.xml"};
    std::size_t inputBytes = 0;
    // The decoded text, which the parsed nodes borrow their strings from.
    std::size_t decodedBytes = 0;
    for (const char* name : names)
        inputBytes += std::filesystem::file_size(folder / name);

    std::printf("phases of a three-way merge with report (%.1f MB of input)\n",
                static_cast<double>(inputBytes) / (1 << 20));
    const bool merged =
        RunStep("read and decode",
                [&] {
                    for (int side = 0; side < 3; ++side) {
                        NIO::CFile file;
                        NXML::SInputForm form;
                        if (file.Open(Utf16(folder / names[side]).c_str(), NIO::CFile::kRead) !=
                                NResult::kOk ||
                            NXML::DecodeInput(file, documents[side]->buffer, form) != NResult::kOk)
                            return false;
                        decodedBytes += documents[side]->buffer.Length();
                        documents[side]->charset = form.charset;
                        documents[side]->byteOrderMark = form.byteOrderMark;
                    }
                    return true;
                }) &&
        RunStep("parse",
                [&] {
                    for (NXML::CDoc* document : documents) {
                        char* text = document->buffer.Text();
                        if (NXML::ReadContent(*document, text, text + document->buffer.Length())
                                .problem != NXML::EParseProblem::kNone)
                            return false;
                    }
                    return true;
                }) &&
        RunStep("match",
                [&] {
                    operation.root.Match(&operation.base, &operation.left, &operation.right,
                                         operation.context);
                    return true;
                }) &&
        RunStep("block tree",
                [&] {
                    BuildModel(operation.model, operation.root, operation.context);
                    return true;
                }) &&
        RunStep("report",
                [&] {
                    // Made in memory and written in one step, as the program does.
                    NIO::TBuffer<0> report;
                    const std::time_t now = std::time(nullptr);
                    return WriteReport(report, operation.model, {}, *std::localtime(&now)) &&
                           NIO::WriteBufferToTarget(Utf16(folder / "report.txt").c_str(), report) ==
                               0;
                }) &&
        RunStep("write", [&] {
            // The generated sides also move records the other side changed:
            // those conflicts are written marked, as the merge driver does.
            const SConflictMarkers markers;
            const ESaveResult saved =
                SaveMergedResult(operation.model, operation.left, inputBytes / 3,
                                 Utf16(folder / "merged.xml").c_str(), &markers);
            return saved == ESaveResult::Saved || saved == ESaveResult::Marked;
        });
    if (!merged) {
        std::fputs(messages.str().c_str(), stderr);
        return 1;
    }

    std::printf("memory of the objects the merge holds\n");
    CKinds kinds;
    const auto countXml = [&](const NXML::CNode& node) { CountXmlNode(node, kinds); };
    for (const NXML::CDoc* document : documents)
        ForEachBelow<NXML::CNode>(*document, countXml);
    ForEachBelow<CDataNode>(operation.root,
                            [&](const CDataNode& node) { CountMatchNode(node, kinds); });
    ForEachBelow<CBlockBase>(operation.model.Root(),
                             [&](const CBlockBase& block) { CountBlock(block, kinds); });
    PrintKinds(kinds, decodedBytes, inputBytes);
    return 0;
}
