#include "merge/result_file.h"

#include "framework/result.h"
#include "framework/target_file.h"
#include "merge/conflict_markers.h"
#include "merge/merge_model.h"
#include "merge/merged_text_with_gaps.h"
#include "merge/result_encoding.h"
#include "merge/write_failure.h"
#include "services/prompts.h"
#include "text/charset.h"
#include "text/format.h"
#include "translation/translator.h"
#include "xml/doc.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

void ShowSaveMessage(const char16_t* text, NPrompts::EIcon icon) {
    NPrompts::CurrentPrompts().ShowMessage(nullptr, text,
                                           NString::NTranslator::Text("Misc.AppName").Text(), icon,
                                           NPrompts::EButtons::Ok);
}

std::string_view Content(const NIO::TBuffer<0>& buffer) {
    return {reinterpret_cast<const char*>(buffer.Data()), static_cast<std::size_t>(buffer.Size())};
}

// The result file's bytes for the merged `text`, with a warning when its
// declared character set cannot be written and a message when a character
// cannot be; none after such a message or when memory ran out. They are
// `text` itself where it is written as it stands (UTF-8 without a byte order
// mark), so that a large result is not copied once more; else they are its
// encoding, in `encoded`.
std::optional<std::string_view> EncodeForSaving(std::string_view text, const NXML::CDoc& left,
                                                NIO::TBuffer<0>& encoded) {
    std::optional<std::string> unwritable;
    const SResultForm form = ResultForm(text, {left.charset, left.byteOrderMark}, &unwritable);
    if (unwritable) {
        NString::TStr<char16_t> message;
        NString::Format(message, NString::NTranslator::Text("Msg.CharsetKept").Text(),
                        unwritable->c_str());
        ShowSaveMessage(message.Text(), NPrompts::EIcon::Warning);
    }
    if (form.charset == NString::kCharsetUtf8 &&
        ResultByteOrderMark(form.charset, form.byteOrderMark).empty())
        return text;
    SUnrepresentable where;
    switch (EncodeResultFile(text, form.charset, form.byteOrderMark, encoded, &where)) {
    case EEncodeResult::Ok:
        return Content(encoded);
    case EEncodeResult::Unrepresentable: {
        NString::TStr<char16_t> message;
        NString::Format(message, NString::NTranslator::Text("Msg.CannotRepresent").Text(),
                        static_cast<std::uint32_t>(where.codePoint), where.line);
        ShowSaveMessage(message.Text(), NPrompts::EIcon::Error);
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

// Writes the merged document into `text` in UTF-8, with a gap for each
// unresolved difference; false when memory ran out.
bool WriteMergedText(const CMergeModel& model, std::uint64_t sizeHint, CMergedTextWithGaps& text) {
    // Room for a document of about `sizeHint` bytes, so that a large one is
    // not copied as it grows.
    return text.Reserve(sizeHint) == NResult::kOk && model.Root().WriteMerged(text);
}

// `merged` with its conflicts marked. The labels are fitted to the character
// set that the text without the conflicts declares; markers cannot change
// what it declares.
std::string MarkedText(const CMergedTextWithGaps& merged, const NXML::CDoc& left,
                       const SConflictMarkers& markers) {
    const int charset = ResultForm(merged.Text(), {left.charset, left.byteOrderMark}).charset;
    SConflictMarkers fitted = markers;
    for (std::string& label : fitted.labels)
        label = RepresentableLine(label, charset);
    return MarkConflicts(merged, fitted);
}

} // namespace

ESaveResult SaveMergedResult(const CMergeModel& model, const NXML::CDoc& left,
                             std::uint64_t sizeHint, const char16_t* path,
                             const SConflictMarkers* markers) {
    const bool unresolved = model.ConflictCount() > 0;
    if (unresolved && markers == nullptr) {
        ShowSaveMessage(NString::NTranslator::Text("Msg.MustResolve").Text(),
                        NPrompts::EIcon::Warning);
        return ESaveResult::Unresolved;
    }
    // Written side by side by as many threads as the model was built with.
    CMergedTextWithGaps merged(SharingThreads(model.Context()));
    // Without conflicts every difference is resolved, and a gap is a fault.
    if (!WriteMergedText(model, sizeHint, merged) || (!unresolved && !merged.Gaps().empty()))
        return ESaveResult::Failed;
    const std::string marked = unresolved ? MarkedText(merged, left, *markers) : std::string();
    NIO::TBuffer<0> encoded;
    const std::optional<std::string_view> bytes =
        EncodeForSaving(unresolved ? std::string_view(marked) : merged.Text(), left, encoded);
    if (!bytes)
        return ESaveResult::Failed;
    if (const int error = NIO::WriteTargetFile(path, bytes->data(), bytes->size()); error != 0) {
        ShowWriteFailure(path, error);
        return ESaveResult::Failed;
    }
    if (!unresolved)
        return ESaveResult::Saved;
    ShowSaveMessage(NString::NTranslator::Text("Msg.ConflictsMarked").Text(),
                    NPrompts::EIcon::Warning);
    return ESaveResult::Marked;
}
