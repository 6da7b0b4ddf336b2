#include "merge/attribute_block.h"

#include "merge/block_output.h"
#include "merge/block_selector.h"
#include "merge/text_metrics.h"
#include "xml/attribute.h"

namespace {

constexpr COLORREF kNameColour = 0x0000A0;

} // namespace

CAttributeBlock::CAttributeBlock(const NXML::CAttribute* attribute, int blockSide)
    : CSimpleBlock(attribute, blockSide) {}

const NXML::CAttribute* CAttributeBlock::Attribute() const {
    return static_cast<const NXML::CAttribute*>(node);
}

const char* CAttributeBlock::Name() const {
    if (node != nullptr)
        return Attribute()->name.Text();
    const CBlockSelector* selector = EnclosingSelector();
    const CSimpleBlock* shown =
        selector != nullptr ? selector->FirstAlternativeWithNode() : nullptr;
    return shown != nullptr ? static_cast<const CAttributeBlock*>(shown)->Name() : "";
}

int CAttributeBlock::GetLineText(NString::TStr<char16_t>& lineText, TLine,
                                 std::vector<COLORREF>* colours) const {
    const bool inSelector = InSelector();
    const bool showsName = !inSelector || side == kSideLeft;
    NString::TStr<char> line;
    if (showsName) {
        line = Name();
        line.Append(inSelector ? " =\t" : " = ");
    }
    if (node != nullptr) {
        const char quote[2] = {Attribute()->quote, 0};
        line.Append(quote);
        line.Append(text.Text());
        line.Append(quote);
    }
    lineText = line.Text();
    if (colours != nullptr) {
        colours->clear();
        if (showsName)
            colours->assign(static_cast<std::size_t>(NString::Utf16Length(Name())), kNameColour);
    }
    return side;
}

int CAttributeBlock::NameWidth() const {
    NString::TStr<char16_t> label(Name());
    label.Append(u" = ");
    return TextWidth({label.Text(), static_cast<std::size_t>(label.Length())});
}

int CAttributeBlock::GetIndent() const {
    const int indent = CBlockBase::GetIndent();
    if (InSelector() && side != kSideLeft)
        return indent + kValueGap + NameWidth();
    return indent;
}

STabStops CAttributeBlock::GetTabStops() const {
    if (!InSelector())
        return CBlockBase::GetTabStops();
    return {GetIndent() + kValueGap + (side == kSideLeft ? NameWidth() : 0), IndentUnit()};
}

void CAttributeBlock::PutAssignment(CBlockOutput& output, const NXML::CAttribute& layout) const {
    output << Attribute()->name << layout.SpaceText(NXML::CAttribute::kSpaceAroundEquals)
           << layout.quote << text << layout.quote;
}

bool CAttributeBlock::WriteMerged(NIO::CBase& out) const {
    CBlockOutput output(out);
    if (node != nullptr) {
        const auto& layout = static_cast<const NXML::CAttribute&>(MarkupSource());
        output << layout.SpaceText(NXML::CAttribute::kSpaceBeforeName);
        PutAssignment(output, layout);
    }
    return output.Ok();
}

bool CAttributeBlock::WriteIndented(NIO::CBase& out, int depth, const char* indent) const {
    CBlockOutput output(out);
    if (node != nullptr) {
        output.LinePrefix(depth, indent);
        PutAssignment(output, *Attribute());
        output << "\r\n";
    }
    return output.Ok();
}
