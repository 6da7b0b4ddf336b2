#pragma once

// Writing whole documents back for the round-trip checks.

#include "framework/str.h"
#include "framework/string_functions.h"
#include "text/charset.h"
#include "text/system_charset.h"
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

// UTF-8 text in the document's own character set again, as the saving code
// will write it (without a byte-order mark).
inline std::string InCharset(const std::string& utf8, int charset) {
    if (charset == NString::kCharsetUtf16Le || charset == NString::kCharsetUtf16Be) {
        std::u16string units(std::size_t(NString::Utf16Length(utf8.c_str())) + 1, u'\0');
        NString::Convert(units.data(), utf8.c_str());
        units.pop_back();
        std::string bytes;
        for (const char16_t unit : units) {
            const char high = static_cast<char>(unit >> 8);
            const char low = static_cast<char>(unit & 0xFF);
            bytes += charset == NString::kCharsetUtf16Be ? high : low;
            bytes += charset == NString::kCharsetUtf16Be ? low : high;
        }
        return bytes;
    }
    NString::TStr<char> converted;
    std::size_t length = 0;
    if (NString::FromUtf8(converted, utf8.data(), utf8.size(), charset, &length) == 1)
        return std::string(converted.Text(), length);
    std::string bytes;
    if (!NString::CSystemCharset(charset).Encode(utf8, bytes))
        return "<no converter for " + std::to_string(charset) + ">";
    return bytes;
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
