#pragma once

// Why a document was refused, and where: the parser accepts a document only
// when it has read it to its end, so that nothing of it is lost.
namespace NXML {

enum class EParseProblem {
    kNone,
    // The input as a whole.
    kZeroByte,
    kBrokenUtf16,
    kNoRootElement,
    kTextOutsideRoot,
    kSecondRootElement,
    // Tags.
    kTagNotClosed,
    kBadCharacterInTag,
    kAttributeWithoutValue,
    kAttributeValueNotQuoted,
    kAttributeValueNotClosed,
    kLessThanInAttributeValue,
    kDuplicateAttribute,
    kElementNotClosed,
    kEndTagMismatch,
    kEndTagWithoutStartTag,
    kMalformedEndTag,
    // Delimited constructs and declarations.
    kCommentNotClosed,
    kCDataNotClosed,
    kInstructionNotClosed,
    kMalformedDocType,
    kMisplacedDocType,
    kInternalSubsetNotClosed,
    kDeclarationNotClosed,
    kMisplacedDeclaration,
};

struct SParseError {
    EParseProblem problem = EParseProblem::kNone;
    // From 1; the column counts characters.
    int line = 0;
    int column = 0;
};

} // namespace NXML
