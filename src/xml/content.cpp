#include "xml/content.h"

#include "framework/utf.h"
#include "xml/scan.h"

namespace NXML {

namespace {

bool IsWhitespaceChar(char32_t codePoint) {
    switch (codePoint) {
    case U'\t':
    case U'\n':
    case U'\r':
    case U' ':
    case U'\u0085':
    case U'\u2028':
        return true;
    default:
        return false;
    }
}

} // namespace

bool CContent::IsWhitespace() const {
    const char* position = text.Text();
    if (*position == 0)
        return false;
    while (*position != 0) {
        // Layout between elements is ASCII: decode only what is not.
        const auto byte = static_cast<unsigned char>(*position);
        if (byte < 0x80) {
            if (!IsWhitespaceChar(byte))
                return false;
            ++position;
        } else if (!IsWhitespaceChar(NString::DecodeNext(position))) {
            return false;
        }
    }
    return true;
}

bool IsWhitespaceContent(const CNode* node) {
    return node != nullptr && node->GetType() == kTypeContent &&
           static_cast<const CContent*>(node)->IsWhitespace();
}

const CNode* SkipWhitespaceContent(const CNode* node) {
    while (IsWhitespaceContent(node))
        node = node->NextSibling();
    return node;
}

bool IsXmlDeclaration(const CNode& node) {
    if (node.GetType() != kTypeProcessingInstruction)
        return false;
    const char* target = node.text.Text();
    for (const char letter : {'x', 'm', 'l'})
        if ((*target++ | 0x20) != letter)
            return false;
    return *target == 0 || NScan::IsSpaceByte(*target);
}

} // namespace NXML
