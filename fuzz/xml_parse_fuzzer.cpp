#include "framework/buffer.h"
#include "framework/result.h"
#include "xml/doc.h"
#include "xml/input_decoder.h"
#include "xml/writer.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

// Parses each input from memory and writes the document back. Beyond memory
// faults, these count as crashes:
// - a result Parse does not promise, or a refused document that keeps nodes;
// - an accepted document that is not written back byte for byte as the
//   parser read it (the decoded text, so that the character-set tables are
//   not what is tested here): whatever the parser accepts it must keep.
namespace {

bool IsParseResult(int result) {
    return result == NResult::kOk || result == NResult::kNotWellFormed ||
           result == NResult::kUnsupportedCharset || result == NResult::kInexactCharset ||
           result == NResult::kNoMemory;
}

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "xml_parse_fuzzer: %s\n", what);
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    NIO::TBuffer<0> input;
    input.Borrow(data, size);
    NXML::CDoc document;
    const int result = document.Parse(input);
    Require(IsParseResult(result), "unexpected parse result");
    Require((result == NResult::kOk) == (document.FirstChild() != nullptr),
            "the result and the nodes disagree");
    if (result != NResult::kOk)
        return 0;

    NIO::TBuffer<0> output;
    Require(NXML::WriteDocument(output, document) == NResult::kOk, "writing failed");

    NIO::TBuffer<0> again;
    again.Borrow(data, size);
    NString::TStr<char> decoded;
    NXML::SInputForm form;
    Require(NXML::DecodeInput(again, decoded, form) == NResult::kOk, "decoding again failed");
    const auto length = static_cast<std::size_t>(decoded.Length());
    Require(output.Size() == length && std::memcmp(output.Data(), decoded.Text(), length) == 0,
            "the written document differs from the one read");
    return 0;
}
