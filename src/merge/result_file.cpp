#include "merge/result_file.h"

#include "framework/prompts.h"
#include "framework/result.h"
#include "framework/target_file.h"
#include "merge/merge_model.h"
#include "merge/write_failure.h"
#include "text/charset.h"
#include "text/translator.h"
#include "text/utf.h"
#include "xml/doc.h"

#include <algorithm>
#include <cstdint>

namespace {

bool IsUtf16(int charset) {
    return charset == NString::kCharsetUtf16Be || charset == NString::kCharsetUtf16Le ||
           charset == NString::kCharsetUtf16;
}

bool IsWrittenAsItIs(int charset) {
    return charset == NString::kCharsetUtf8 || charset == NString::kCharsetUsAscii;
}

// Decodes the character at `position` without reading at or past `end`.
char32_t DecodeWithin(const char*& position, const char* end) {
    if (end - position >= 4)
        return NString::DecodeNext(position);
    char sequence[5] = {};
    std::copy(position, end, sequence);
    const char* cursor = sequence;
    const char32_t codePoint = NString::DecodeNext(cursor);
    position += std::max<std::ptrdiff_t>(cursor - sequence, 1);
    return codePoint;
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
        const int count = NString::EncodeChar(DecodeWithin(position, end), units);
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

std::size_t CodePointCount(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char byte) {
        return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    }));
}

EEncodeResult AppendConverted(std::string_view text, int charset, NIO::TBuffer<0>& out) {
    if (!NString::HasConverter(charset))
        return EEncodeResult::NoConverter;
    NString::TStr<char> converted;
    std::size_t length = 0;
    if (NString::FromUtf8(converted, text.data(), text.size(), charset, &length) == 0)
        return EEncodeResult::NoMemory;
    // Every character of a single-byte set is one byte: fewer bytes than
    // characters means some were dropped.
    if (length != CodePointCount(text))
        return EEncodeResult::Unrepresentable;
    return out.WriteBytes(converted.Text(), length) == NResult::kOk ? EEncodeResult::Ok
                                                                    : EEncodeResult::NoMemory;
}

// The first buffer holds the largest input whole, in steps of 8 kB.
constexpr std::uint64_t kReserveStep = 8192;

void ShowSaveMessage(const char16_t* text, NPrompts::EIcon icon) {
    NPrompts::CurrentPrompts().ShowMessage(nullptr, text,
                                           NString::NTranslator::Text("Misc.AppName").Text(), icon,
                                           NPrompts::EButtons::Ok);
}

std::string_view Content(const NIO::TBuffer<0>& buffer) {
    return {reinterpret_cast<const char*>(buffer.Data()), static_cast<std::size_t>(buffer.Size())};
}

} // namespace

std::string_view ResultByteOrderMark(int charset, bool utf8Mark) {
    if (charset == NString::kCharsetUtf16Be)
        return "\xFE\xFF";
    if (IsUtf16(charset))
        return "\xFF\xFE";
    if (charset == NString::kCharsetUtf8 && utf8Mark)
        return "\xEF\xBB\xBF";
    return {};
}

EEncodeResult EncodeResultFile(std::string_view text, int charset, bool utf8Mark,
                               NIO::TBuffer<0>& out) {
    if (!IsUtf16(charset) && !IsWrittenAsItIs(charset) && !NString::HasConverter(charset))
        return EEncodeResult::NoConverter;
    const std::string_view mark = ResultByteOrderMark(charset, utf8Mark);
    if (out.WriteBytes(mark.data(), mark.size()) != NResult::kOk)
        return EEncodeResult::NoMemory;
    if (IsUtf16(charset))
        return AppendUtf16(text, charset == NString::kCharsetUtf16Be, out);
    if (IsWrittenAsItIs(charset))
        return out.WriteBytes(text.data(), text.size()) == NResult::kOk ? EEncodeResult::Ok
                                                                        : EEncodeResult::NoMemory;
    return AppendConverted(text, charset, out);
}

ESaveResult SaveMergedResult(const CMergeModel& model, const NXML::CDoc& left,
                             std::uint64_t sizeHint, const char16_t* path) {
    if (model.ConflictCount() > 0) {
        ShowSaveMessage(NString::NTranslator::Text("Msg.MustResolve").Text(),
                        NPrompts::EIcon::Warning);
        return ESaveResult::Unresolved;
    }
    NIO::TBuffer<0> text;
    const std::uint64_t reserve = (sizeHint + kReserveStep - 1) / kReserveStep * kReserveStep;
    if (text.SetSize(reserve) != NResult::kOk)
        return ESaveResult::Failed;
    text.SetSize(0);
    if (!model.Root().WriteMerged(text) ||
        (!left.trailingText.IsEmpty() && text.WriteText(left.trailingText.Text()) != NResult::kOk))
        return ESaveResult::Failed;
    NIO::TBuffer<0> bytes;
    switch (EncodeResultFile(Content(text), left.charset, left.byteOrderMark, bytes)) {
    case EEncodeResult::Ok:
        break;
    case EEncodeResult::Unrepresentable:
        ShowSaveMessage(NString::NTranslator::Text("Msg.CannotRepresent").Text(),
                        NPrompts::EIcon::Error);
        return ESaveResult::Failed;
    default:
        return ESaveResult::Failed;
    }
    text.Clear(true);
    if (const int error = NIO::WriteBufferToTarget(path, bytes); error != 0) {
        ShowWriteFailure(path, error);
        return ESaveResult::Failed;
    }
    return ESaveResult::Saved;
}
