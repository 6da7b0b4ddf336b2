#include "compare/invalid_xml_message.h"

#include "text/format.h"
#include "translation/translator.h"

namespace {

using NString::NTranslator::Text;
using NXML::EParseProblem;

struct SProblemText {
    EParseProblem problem;
    const char* key;
};

constexpr SProblemText kProblemTexts[] = {
    {EParseProblem::kZeroByte, "XMLError.ZeroByte"},
    {EParseProblem::kBrokenUtf16, "XMLError.BrokenUtf16"},
    {EParseProblem::kNoRootElement, "XMLError.NoRootElement"},
    {EParseProblem::kTextOutsideRoot, "XMLError.TextOutsideRoot"},
    {EParseProblem::kSecondRootElement, "XMLError.SecondRootElement"},
    {EParseProblem::kTagNotClosed, "XMLError.TagNotClosed"},
    {EParseProblem::kBadCharacterInTag, "XMLError.BadCharacterInTag"},
    {EParseProblem::kAttributeWithoutValue, "XMLError.AttributeWithoutValue"},
    {EParseProblem::kAttributeValueNotQuoted, "XMLError.AttributeValueNotQuoted"},
    {EParseProblem::kAttributeValueNotClosed, "XMLError.AttributeValueNotClosed"},
    {EParseProblem::kLessThanInAttributeValue, "XMLError.LessThanInAttributeValue"},
    {EParseProblem::kDuplicateAttribute, "XMLError.DuplicateAttribute"},
    {EParseProblem::kElementNotClosed, "XMLError.ElementNotClosed"},
    {EParseProblem::kEndTagMismatch, "XMLError.EndTagMismatch"},
    {EParseProblem::kEndTagWithoutStartTag, "XMLError.EndTagWithoutStartTag"},
    {EParseProblem::kMalformedEndTag, "XMLError.MalformedEndTag"},
    {EParseProblem::kCommentNotClosed, "XMLError.CommentNotClosed"},
    {EParseProblem::kCDataNotClosed, "XMLError.CDataNotClosed"},
    {EParseProblem::kInstructionNotClosed, "XMLError.InstructionNotClosed"},
    {EParseProblem::kMalformedDocType, "XMLError.MalformedDocType"},
    {EParseProblem::kMisplacedDocType, "XMLError.MisplacedDocType"},
    {EParseProblem::kInternalSubsetNotClosed, "XMLError.InternalSubsetNotClosed"},
    {EParseProblem::kDeclarationNotClosed, "XMLError.DeclarationNotClosed"},
    {EParseProblem::kMisplacedDeclaration, "XMLError.MisplacedDeclaration"},
};

const char* ProblemKey(EParseProblem problem) {
    for (const SProblemText& text : kProblemTexts) {
        if (text.problem == problem)
            return text.key;
    }
    return "XMLError.NoRootElement";
}

} // namespace

NString::TStr<char16_t> InvalidXMLMessage(const char16_t* path, const NXML::SParseError& error) {
    NString::TStr<char16_t> detail;
    NString::Format(detail, Text("Msg.InvalidXMLAt").Text(), error.line, error.column,
                    Text(ProblemKey(error.problem)).Text());
    NString::TStr<char16_t> message;
    NString::Format(message, Text("Msg.InvalidXMLFile").Text(), path, detail.Text());
    return message;
}
