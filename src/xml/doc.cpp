#include "xml/doc.h"

#include "framework/file.h"
#include "framework/result.h"
#include "xml/input_decoder.h"
#include "xml/parser.h"
#include "xml/text_cutter.h"

#include <new>

namespace NXML {

int CDoc::Load(const char16_t* path) {
    NIO::CFile file;
    if (file.Open(path, NIO::CFile::kRead) != NResult::kOk)
        return NResult::kCannotOpen;
    return Parse(file);
}

int CDoc::Parse(NIO::CBase& stream) {
    ClearFlags(kParseStateFlags);
    Reset();
    try {
        SInputForm form;
        const int result = DecodeInput(stream, buffer, form);
        charset = form.charset;
        byteOrderMark = form.byteOrderMark;
        if (result != NResult::kOk)
            return result;
        char* text = buffer.Text();
        char* end = text + buffer.Length();
        if (form.stoppedBy != EParseProblem::kNone) {
            parseError.problem = form.stoppedBy;
            CTextCutter().Locate(text, end, parseError);
        } else {
            parseError = ReadContent(*this, text, end);
        }
    } catch (const std::bad_alloc&) {
        Reset();
        return NResult::kNoMemory;
    }
    if (parseError.problem != EParseProblem::kNone) {
        // Nodes of a part of the document are no document.
        DeleteChildren();
        trailingText.Clear(true);
        return NResult::kNotWellFormed;
    }
    return NResult::kOk;
}

void CDoc::Reset() {
    DeleteChildren();
    trailingText.Clear(true);
    buffer.Clear(true);
    byteOrderMark = false;
    parseError = SParseError{};
}

} // namespace NXML
