#pragma once

#include "xml/node.h"
#include "xml/parse_error.h"

namespace NIO {
class CBase;
}

namespace NXML {

// A whole XML document: its children are the top-level nodes, and it owns
// the decoded text that every parsed node borrows.
class CDoc : public CNode {
public:
    // Set on a new document.
    static constexpr std::uint32_t kNewDocumentFlags = 0x300;
    // Cleared by Parse before it reads anything.
    static constexpr std::uint32_t kParseStateFlags = 0xF00;

    CDoc() { flags = kNewDocumentFlags; }
    // The children go before the buffer they borrow from.
    ~CDoc() override { DeleteChildren(); }

    int GetType() const override { return kTypeDocument; }

    // Parses the file at `path`: NResult::kCannotOpen when it cannot be
    // opened, otherwise the result of Parse.
    int Load(const char16_t* path);

    // Replaces the document's content with what `stream` holds from its
    // position to its end. The character set comes from a byte-order mark,
    // else from the first bytes of UTF-16 without one, else from the XML
    // declaration, else it is UTF-8.
    //
    // A document is accepted only when it was read to its end: exactly one
    // root element, every tag complete and every element closed by its own
    // end tag, no zero byte, nothing but whitespace, comments, instructions
    // and a document type declaration around the root. Markup that starts no
    // construct (a stray "<") stays character data; references are never
    // expanded. So whatever is accepted is written back byte for byte.
    //
    // NResult::kOk; kNotWellFormed with `parseError` saying why and where
    // (the document is then empty); kUnsupportedCharset when the declared
    // character set is unknown or has no converter (`charset` then holds its
    // number, 0 when unknown); kInexactCharset when a set converted by the C
    // library would not give the file's bytes back exactly; kNoMemory when
    // memory ran out (the document is then empty).
    //
    // A document held in memory parses from a borrowing NIO::TBuffer<0>.
    int Parse(NIO::CBase& stream);

    // The decoded UTF-8 text, cut into the node strings by the parser.
    NString::TStr<char> buffer;
    // The MIBenum of the source's character set.
    int charset = 0;
    // The source began with a byte-order mark, which a saved copy repeats.
    bool byteOrderMark = false;
    // Text after the last node (normally the final line end), which belongs
    // to no node but is written back after the last one.
    NString::TStr<char> trailingText;
    // After kNotWellFormed: why and where the document was refused.
    SParseError parseError;

private:
    void Reset();
};

} // namespace NXML
