#pragma once

// Helpers shared by the XML tests: parsing bytes held in memory, capturing
// what is written to a stream, and describing where two byte strings differ.

#include "framework/buffer.h"
#include "framework/result.h"
#include "xml/doc.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

namespace XmlTest {

// Parses `bytes` as a whole file would be.
inline int ParseBytes(NXML::CDoc& doc, std::string_view bytes) {
    NIO::TBuffer<0> stream;
    stream.Borrow(bytes.data(), bytes.size());
    return doc.Parse(stream);
}

inline std::string StreamContent(const NIO::TBuffer<0>& stream) {
    return std::string(reinterpret_cast<const char*>(stream.Data()), stream.Size());
}

// What a writing function of the form `int (NIO::CBase&)` produces.
template <typename FWrite> std::string Captured(FWrite write) {
    NIO::TBuffer<0> out;
    if (write(out) != NResult::kOk)
        return "<write failed>";
    return StreamContent(out);
}

// Bytes shown as text where printable, else as \xNN.
inline std::string Visible(std::string_view bytes) {
    std::string shown;
    for (const unsigned char byte : bytes) {
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            shown += static_cast<char>(byte);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        }
    }
    return shown;
}

// "" when equal; otherwise where the first difference lies, the bytes
// there on each side and some context before it.
inline std::string FirstDifference(std::string_view expected, std::string_view actual) {
    if (expected == actual)
        return "";
    const auto mismatch =
        std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
    const auto offset = static_cast<std::size_t>(mismatch.first - expected.begin());
    constexpr std::size_t kContext = 24;
    const std::size_t contextStart = offset > kContext ? offset - kContext : 0;
    return "first difference at byte offset " + std::to_string(offset) + " (expected " +
           std::to_string(expected.size()) + " bytes, got " + std::to_string(actual.size()) +
           ")\n  context : \"" + Visible(expected.substr(contextStart, offset - contextStart)) +
           "\"\n  expected: \"" + Visible(expected.substr(offset, kContext)) +
           "\"\n  actual  : \"" +
           Visible(actual.substr(std::min(offset, actual.size()), kContext)) + "\"";
}

} // namespace XmlTest
