#include "merge/result_encoding.h"

#include "framework/result.h"
#include "framework/utf.h"
#include "text/byte_mapping.h"
#include "text/charset.h"
#include "text/system_charset.h"
#include "xml/input_decoder.h"
#include "xml/markup_spans.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

namespace {

bool IsUtf16(int charset) {
    return charset == NString::kCharsetUtf16Be || charset == NString::kCharsetUtf16Le ||
           charset == NString::kCharsetUtf16;
}

bool CanWrite(int charset) {
    return IsUtf16(charset) || NString::HasConverter(charset) ||
           NString::CSystemCharset(charset).Exists();
}

// DeclaredCharsetName's answer for a text whose declaration names no set.
constexpr std::string_view kNoDeclaredName = "UTF-8";

// A declared name as written, without the spaces DeclaredCharsetName adds.
std::string Unspaced(const std::string& spaced) {
    const std::size_t first = spaced.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return spaced.substr(first, spaced.find_last_not_of(' ') - first + 1);
}

EEncodeResult AppendUtf16(std::string_view text, bool bigEndian, NIO::TBuffer<0>& out) {
    const std::uint64_t start = out.Size();
    // A UTF-8 byte never becomes more than one UTF-16 unit.
    if (out.SetSize(start + 2 * text.size()) != NResult::kOk)
        return EEncodeResult::NoMemory;
    unsigned char* bytes = out.Data() + start;
    const char* end = text.data() + text.size();
    for (const char* position = text.data(); position < end;) {
        char16_t units[2];
        const int count = NString::EncodeChar(NString::DecodeNext(position, end), units);
        for (int i = 0; i < count; ++i) {
            const auto high = static_cast<unsigned char>(units[i] >> 8);
            const auto low = static_cast<unsigned char>(units[i] & 0xFF);
            *bytes++ = bigEndian ? high : low;
            *bytes++ = bigEndian ? low : high;
        }
    }
    out.SetSize(static_cast<std::uint64_t>(bytes - out.Data()));
    out.Seek(0, NIO::kSeekFromEnd);
    return EEncodeResult::Ok;
}

// Whether XML allows a reference to the code point: its Char production.
bool IsReferable(char32_t codePoint) {
    return codePoint == 0x9 || codePoint == 0xA || codePoint == 0xD ||
           (codePoint >= 0x20 && codePoint <= 0xD7FF) ||
           (codePoint >= 0xE000 && codePoint <= 0xFFFD) ||
           (codePoint >= 0x10000 && codePoint <= NString::kLastCodePoint);
}

void AppendReference(std::string& bytes, char32_t codePoint) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    char digits[8];
    int count = 0;
    do {
        digits[count++] = kDigits[codePoint & 0xF];
        codePoint >>= 4;
    } while (codePoint != 0);
    bytes += "&#x";
    while (count > 0)
        bytes += digits[--count];
    bytes += ';';
}

// The line of `position` (a character, so never the text's end), counting
// line ends as XML does: CR LF, CR and LF.
std::size_t LineAt(std::string_view text, const char* position) {
    std::size_t line = 1;
    for (const char* here = text.data(); here < position; ++here)
        if (*here == '\n' || (*here == '\r' && here[1] != '\n'))
            ++line;
    return line;
}

// The set a result is written in, beyond UTF-8 and UTF-16: which ASCII
// characters it keeps as their own bytes, and the bytes of a run of others.
class CTargetSet {
public:
    explicit CTargetSet(int charset) : m_mapping(charset) {
        if (!m_mapping.Exists())
            m_system.emplace(charset);
    }

    bool Keeps(char c) const {
        return m_system ? m_system->KeepsAscii(c) : static_cast<unsigned char>(c) < 0x80;
    }

    // Appends the bytes of `run` (whole characters) when every one of them
    // can be written exactly; appends nothing otherwise.
    bool AppendRun(std::string_view run, std::string& bytes) {
        if (m_system)
            return m_system->EncodeRun(run, bytes);
        const std::size_t start = bytes.size();
        const char* end = run.data() + run.size();
        for (const char* position = run.data(); position < end;) {
            const auto byte = m_mapping.ToByte(NString::DecodeNext(position, end));
            if (!byte) {
                bytes.resize(start);
                return false;
            }
            bytes += static_cast<char>(*byte);
        }
        return true;
    }

private:
    NString::CByteMapping m_mapping;
    std::optional<NString::CSystemCharset> m_system;
};

// The characters of `run` one by one: exactly where the set holds them, as
// a character reference where XML allows one; false at the first character
// that can be neither.
bool AppendCharacters(std::string_view text, std::string_view run, bool escapable,
                      CTargetSet& target, std::string& bytes, SUnrepresentable& failure) {
    const char* end = run.data() + run.size();
    for (const char* position = run.data(); position < end;) {
        const char* start = position;
        const char32_t codePoint = NString::DecodeNext(position, end);
        if (target.AppendRun({start, static_cast<std::size_t>(position - start)}, bytes))
            continue;
        if (!escapable || !IsReferable(codePoint)) {
            failure = {codePoint, LineAt(text, start)};
            return false;
        }
        AppendReference(bytes, codePoint);
    }
    return true;
}

// `text` in the set of `target`, into `bytes`; false at the first character
// that can be neither written nor referred to. Runs between kept characters
// are converted whole, so that a set with shift states writes them as the
// file had them.
bool ConvertToSet(std::string_view text, CTargetSet& target, std::string& bytes,
                  SUnrepresentable& failure) {
    bytes.reserve(text.size());
    const auto keeps = [&target](char c) { return target.Keeps(c); };
    NXML::CMarkupSpans spans(text);
    NXML::SMarkupSpan span;
    while (spans.Next(span)) {
        const char* end = span.text.data() + span.text.size();
        for (const char* position = span.text.data(); position < end;) {
            const char* runStart = std::find_if_not(position, end, keeps);
            bytes.append(position, runStart);
            position = std::find_if(runStart, end, keeps);
            const std::string_view run(runStart, static_cast<std::size_t>(position - runStart));
            if (!run.empty() && !target.AppendRun(run, bytes) &&
                !AppendCharacters(text, run, span.escapable, target, bytes, failure))
                return false;
        }
    }
    return true;
}

EEncodeResult AppendConverted(std::string_view text, CTargetSet& target, NIO::TBuffer<0>& out,
                              SUnrepresentable* unrepresentable) {
    std::string bytes;
    SUnrepresentable failure;
    if (!ConvertToSet(text, target, bytes, failure)) {
        if (unrepresentable != nullptr)
            *unrepresentable = failure;
        return EEncodeResult::Unrepresentable;
    }
    return out.WriteBytes(bytes.data(), bytes.size()) == NResult::kOk ? EEncodeResult::Ok
                                                                      : EEncodeResult::NoMemory;
}

} // namespace

SResultForm ResultForm(std::string_view text, SResultForm left,
                       std::optional<std::string>* unwritable) {
    const std::string declared = NXML::DeclaredCharsetName(text.data(), text.size());
    if (declared == kNoDeclaredName)
        return IsUtf16(left.charset) || left.charset == NString::kCharsetUtf8
                   ? left
                   : SResultForm{NString::kCharsetUtf8, false};
    const int charset = NString::CharsetFromName(declared.c_str());
    // Plain "UTF-16" names either byte order; the left file's mark decides.
    if (charset == left.charset || (charset == NString::kCharsetUtf16 && IsUtf16(left.charset)))
        return left;
    if (CanWrite(charset))
        return {charset, IsUtf16(charset)};
    if (unwritable != nullptr)
        *unwritable = Unspaced(declared);
    return left;
}

std::string RepresentableLine(std::string_view text, int charset) {
    const NString::CByteMapping mapping(charset);
    const bool everyCharacter = IsUtf16(charset) || mapping.IsVerbatim();
    std::string line;
    const char* end = text.data() + text.size();
    for (const char* position = text.data(); position < end;) {
        const char32_t codePoint = NString::DecodeNext(position, end);
        char bytes[4];
        const int length = NString::EncodeChar(codePoint, bytes);
        const bool control = codePoint < 0x20 || codePoint == 0x7F;
        const bool representable = everyCharacter || codePoint < 0x80 || mapping.ToByte(codePoint);
        if (length > 0 && !control && representable)
            line.append(bytes, static_cast<std::size_t>(length));
        else
            line += '?';
    }
    return line;
}

std::string_view ResultByteOrderMark(int charset, bool byteOrderMark) {
    if (!byteOrderMark)
        return {};
    if (charset == NString::kCharsetUtf16Be)
        return "\xFE\xFF";
    if (IsUtf16(charset))
        return "\xFF\xFE";
    if (charset == NString::kCharsetUtf8)
        return "\xEF\xBB\xBF";
    return {};
}

EEncodeResult EncodeResultFile(std::string_view text, int charset, bool byteOrderMark,
                               NIO::TBuffer<0>& out, SUnrepresentable* unrepresentable) {
    if (!CanWrite(charset))
        return EEncodeResult::NoConverter;
    const std::string_view mark = ResultByteOrderMark(charset, byteOrderMark);
    if (out.WriteBytes(mark.data(), mark.size()) != NResult::kOk)
        return EEncodeResult::NoMemory;
    if (IsUtf16(charset))
        return AppendUtf16(text, charset == NString::kCharsetUtf16Be, out);
    if (charset == NString::kCharsetUtf8)
        return out.WriteBytes(text.data(), text.size()) == NResult::kOk ? EEncodeResult::Ok
                                                                        : EEncodeResult::NoMemory;
    CTargetSet target(charset);
    return AppendConverted(text, target, out, unrepresentable);
}
