#include "xml/doc.h"

#include "framework/file.h"
#include "framework/result.h"
#include "xml/input_decoder.h"
#include "xml/parser.h"

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
        if (const int result = DecodeInput(stream, buffer, charset, &byteOrderMark);
            result != NResult::kOk)
            return result;
        ReadContent(*this, buffer.Text(), buffer.Text() + buffer.Length());
    } catch (const std::bad_alloc&) {
        Reset();
        return NResult::kNoMemory;
    }
    return FirstChild() != nullptr ? NResult::kOk : NResult::kNothingParsed;
}

void CDoc::Reset() {
    DeleteChildren();
    trailingText.Clear(true);
    buffer.Clear(true);
    byteOrderMark = false;
}

} // namespace NXML
