#include "merge/doctype_decl_block.h"

#include "framework/result.h"
#include "merge/block_output.h"
#include "xml/content.h"
#include "xml/doctype.h"
#include "xml/writer.h"

namespace {

// The text of the declaration's last child when that is whitespace only: the
// text between the last declaration and the "]" of the internal subset.
const char* WhitespaceBeforeSubsetEnd(const NXML::CDocTypeDecl& declaration) {
    const NXML::CNode* last = declaration.LastChild();
    return NXML::IsWhitespaceContent(last) ? last->text.Text() : "";
}

} // namespace

CDocTypeDeclBlock::CDocTypeDeclBlock(const NXML::CDocTypeDecl* declaration, int blockSide)
    : CSimpleBlock(declaration, blockSide) {}

const NXML::CDocTypeDecl* CDocTypeDeclBlock::Declaration() const {
    return static_cast<const NXML::CDocTypeDecl*>(node);
}

TLine CDocTypeDeclBlock::NumberLines(TLine first) {
    TLine next = CBlockBase::NumberLines(first);
    if (node != nullptr && FirstChild() != nullptr)
        lines.push_back(next++);
    return next;
}

NString::TStr<char> CDocTypeDeclBlock::ExternalId() const {
    const NXML::CDocTypeDecl& declaration = *Declaration();
    const char publicQuote[2] = {declaration.publicQuote, 0};
    const char systemQuote[2] = {declaration.systemQuote, 0};
    NString::TStr<char> id;
    if (declaration.publicQuote != 0) {
        id = "PUBLIC ";
        for (const char* part : {publicQuote, declaration.publicLiteral.Text(), publicQuote, " "})
            id.Append(part);
    } else if (declaration.systemQuote != 0) {
        id = "SYSTEM ";
    } else {
        return id;
    }
    for (const char* part : {systemQuote, declaration.systemLiteral.Text(), systemQuote})
        id.Append(part);
    return id;
}

int CDocTypeDeclBlock::GetLineText(NString::TStr<char16_t>& lineText, TLine n,
                                   std::vector<COLORREF>* colours) const {
    CBlockBase::GetLineText(lineText, n, colours);
    if (node == nullptr || lines.empty())
        return kSideNone;
    const bool hasSubset = FirstChild() != nullptr;
    NString::TStr<char> line;
    if (n == lines.front()) {
        line = node->GetOpen();
        line.Append(" ");
        line.Append(node->text.Text());
        const NString::TStr<char> id = ExternalId();
        if (!id.IsEmpty()) {
            line.Append(" ");
            line.Append(id.Text());
        }
        line.Append(hasSubset ? "[" : ">");
    } else if (hasSubset && n == lines.back()) {
        line = "]>";
    } else {
        return kSideNone;
    }
    lineText = line.Text();
    return side;
}

bool CDocTypeDeclBlock::WriteMerged(NIO::CBase& out) const {
    if (node == nullptr)
        return true;
    const auto& declaration = static_cast<const NXML::CDocTypeDecl&>(MarkupSource());
    CBlockOutput output(out);
    output << WhitespaceBefore() << (NXML::WriteDocTypeStart(out, declaration) == NResult::kOk)
           << CBlockBase::WriteMerged(out) << WhitespaceBeforeSubsetEnd(declaration)
           << (NXML::WriteDocTypeEnd(out, declaration) == NResult::kOk);
    return output.Ok();
}

bool CDocTypeDeclBlock::WriteIndented(NIO::CBase& out, int depth, const char* indent) const {
    if (node == nullptr)
        return true;
    CBlockOutput output(out);
    output.LinePrefix(depth, indent) << node->GetOpen() << ' ' << node->text << ' ' << ExternalId();
    if (FirstChild() == nullptr)
        return (output << ">\r\n").Ok();
    output << "\r\n";
    output.LinePrefix(depth, indent) << "[\r\n" << CBlockBase::WriteIndented(out, depth, indent);
    output.LinePrefix(depth, indent) << "]>\r\n";
    return output.Ok();
}
