#pragma once

// Writing whole documents back for the round-trip checks.

#include "xml/writer.h"
#include "xml_test_support.h"

#include <string>
#include <string_view>

namespace XmlTest {

// The whole-document writer's output.
inline std::string Written(const NXML::CDoc& doc) {
    NIO::TBuffer<0> out;
    if (NXML::WriteDocument(out, doc) != NResult::kOk)
        return "<write failed>";
    return StreamContent(out);
}

// Parses `source` and writes it back; "" when it comes out unchanged, else
// the description of the first difference.
inline std::string RoundTripDifference(std::string_view source) {
    NXML::CDoc doc;
    const int result = ParseBytes(doc, source);
    if (result != NResult::kOk)
        return "parse result " + std::to_string(result);
    return FirstDifference(source, Written(doc));
}

} // namespace XmlTest
