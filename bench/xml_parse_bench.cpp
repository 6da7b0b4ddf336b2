#include "framework/buffer.h"
#include "framework/result.h"
#include "xml/doc.h"
#include "xml_documents.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <malloc.h>
#include <map>
#include <memory>
#include <pugixml.hpp>
#include <string>
#include <utility>

// Parse throughput of NXML::CDoc::Parse against pugixml's in-place parser on
// the same generated documents, in one run. Case names are
// xml_parse/<ours|pugixml>/<shape>/<size>MB; scripts/bench-xml-parse reads them.
//
// What is timed, for a fair comparison:
// - Each parser keeps one document object across iterations, so every
//   iteration also releases the previous iteration's tree (both parsers do
//   that at the start of a parse).
// - Ours reads the bytes through a borrowing memory stream and copies and
//   decodes them into its own buffer: that copy is part of its parse.
// - pugixml parses in place and writes into its input, so every iteration
//   needs the original bytes again; they are copied into a preallocated buffer
//   of the same size while the timer is paused. Ours pauses the timer for its
//   (trivial) stream reset too, so both pay the same pausing overhead.
// - Freed memory stays in the process (see KeepFreedMemory) and each case
//   parses once untimed before it is measured, so both parsers are timed on
//   warm memory. A one-off parse in a fresh process, page faults included, is
//   what xml_parse_once times.
// - pugixml runs with its default options: it expands entity references and
//   normalises line ends, but skips comments and processing instructions and
//   resolves no namespaces, where ours keeps every byte in the tree.
namespace {

using NBench::EDocumentShape;

constexpr std::size_t kSizesInMegabytes[] = {1, 10, 100};
// Documents this large are parsed only a few times to keep the run short.
constexpr std::size_t kFewIterationsFrom = 100;
constexpr benchmark::IterationCount kFewIterations = 3;

// Generated once per process, on first use, and shared by both parsers.
const std::string& Document(EDocumentShape shape, std::size_t megabytes) {
    static std::map<std::pair<EDocumentShape, std::size_t>, std::string> documents;
    std::string& document = documents[{shape, megabytes}];
    if (document.empty())
        document = NBench::GenerateXmlDocument(shape, megabytes * NBench::kMegabyte);
    return document;
}

class COurParser {
public:
    static constexpr const char* kName = "ours";

    explicit COurParser(const std::string& bytes) : m_bytes(bytes) {}

    void Prepare() { m_stream.Borrow(m_bytes.data(), m_bytes.size()); }
    bool Parse() { return m_document.Parse(m_stream) == NResult::kOk; }

private:
    const std::string& m_bytes;
    NIO::TBuffer<0> m_stream;
    NXML::CDoc m_document;
};

class CPugixmlParser {
public:
    static constexpr const char* kName = "pugixml";

    explicit CPugixmlParser(const std::string& bytes)
        : m_bytes(bytes), m_copy(std::make_unique<char[]>(bytes.size())) {}

    void Prepare() { std::memcpy(m_copy.get(), m_bytes.data(), m_bytes.size()); }
    bool Parse() { return bool(m_document.load_buffer_inplace(m_copy.get(), m_bytes.size())); }

private:
    const std::string& m_bytes;
    std::unique_ptr<char[]> m_copy;
    pugi::xml_document m_document;
};

template <typename TParser>
void MeasureParse(benchmark::State& state, EDocumentShape shape, std::size_t megabytes) {
    const std::string& bytes = Document(shape, megabytes);
    TParser parser(bytes);
    parser.Prepare();
    if (!parser.Parse()) {
        state.SkipWithError("the document does not parse");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        parser.Prepare();
        state.ResumeTiming();
        if (!parser.Parse()) {
            state.SkipWithError("the document does not parse");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

template <typename TParser> void RegisterCase(EDocumentShape shape, std::size_t megabytes) {
    const std::string name = "xml_parse/" + std::string(TParser::kName) + "/" +
                             std::string(NBench::ShapeName(shape)) + "/" +
                             std::to_string(megabytes) + "MB";
    benchmark::internal::Benchmark* registered =
        benchmark::RegisterBenchmark(name.c_str(), MeasureParse<TParser>, shape, megabytes)
            ->Unit(benchmark::kMillisecond);
    if (megabytes >= kFewIterationsFrom)
        registered->Iterations(kFewIterations);
}

// By default glibc hands freed memory back to the system: large blocks at
// once, the top of the heap beyond a threshold. A parser that frees its whole
// tree before the next iteration then pays first-touch page faults for every
// page again, which on a virtual machine can cost more than the parse itself
// and depends on the order in which cases happen to run.
void KeepFreedMemory() {
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, -1);
}

} // namespace

int main(int argc, char** argv) {
    KeepFreedMemory();
    for (const EDocumentShape shape : {EDocumentShape::kRecords, EDocumentShape::kMixed}) {
        for (const std::size_t megabytes : kSizesInMegabytes) {
            RegisterCase<COurParser>(shape, megabytes);
            RegisterCase<CPugixmlParser>(shape, megabytes);
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
