#include "framework/buffer.h"
#include "framework/result.h"
#include "xml/doc.h"
#include "xml/writer.h"

#include <cstddef>
#include <cstdint>

// Parses each input from memory and writes the document back, so that both
// the reader's in-place cutting and the writer's walk over whatever tree it
// left are exercised. Beyond memory faults, a broken promise of Parse's result
// or a failing write to memory counts as a crash.
namespace {

bool IsParseResult(int result) {
    return result == NResult::kOk || result == NResult::kNothingParsed ||
           result == NResult::kUnsupportedCharset || result == NResult::kNoMemory;
}

void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    NIO::TBuffer<0> input;
    input.Borrow(data, size);
    NXML::CDoc document;
    const int result = document.Parse(input);
    Require(IsParseResult(result));
    Require((result == NResult::kOk) == (document.FirstChild() != nullptr));
    if (result != NResult::kOk)
        return 0;

    NIO::TBuffer<0> output;
    Require(NXML::WriteDocument(output, document) == NResult::kOk);
    return 0;
}
