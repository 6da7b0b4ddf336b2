#include "merge/attribute_block.h"

#include "merge/block_output.h"
#include "merge/block_selector.h"
#include "merge/markup_escape.h"
#include "merge/text_metrics.h"
#include "merge/undo_history.h"
#include "merge/utf16_columns.h"
#include "xml/attribute.h"

#include <algorithm>
#include <string>

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
    const bool showsName = !InSelector() || side == kSideLeft;
    NString::TStr<char> line = Label();
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

NString::TStr<char> CAttributeBlock::Label() const {
    NString::TStr<char> label;
    if (!InSelector() || side == kSideLeft) {
        label = Name();
        label.Append(InSelector() ? " =\t" : " = ");
    }
    return label;
}

std::uint32_t CAttributeBlock::ValueStart() const {
    const NString::TStr<char> label = Label();
    return Utf16Columns({label.Text(), static_cast<std::size_t>(label.Length())}) + 1;
}

bool CAttributeBlock::InValue(STextPoint at) const {
    if (node == nullptr || lines.empty() || at.line != lines.front())
        return false;
    const std::uint32_t start = ValueStart();
    return at.column >= start && at.column <= start + Utf16Columns(text.Text());
}

STextPoint CAttributeBlock::InsertText(CUndoStep* step, STextPoint at, std::string_view typed) {
    if (!InValue(at))
        return at;
    at.column = ValueStart() + CharacterStartColumn(text.Text(), at.column - ValueStart());
    std::string inserted;
    for (const char c : typed) {
        if (c != '\r')
            inserted += c == '\n' ? ' ' : c;
    }
    if (inserted.empty())
        return at;
    std::string value(text.Text());
    value.insert(ByteOffsetOfColumn(value, at.column - ValueStart()), inserted);
    text = value.c_str();
    SetFlags(kTextEdited);
    const STextPoint end{at.line, at.column + Utf16Columns(inserted)};
    if (step != nullptr) {
        CUndoRecord* record = step->AddRecord(CUndoRecord::kTextInserted);
        record->block = this;
        record->text = inserted.c_str();
        record->start = at;
        record->end = end;
    }
    return end;
}

STextPoint CAttributeBlock::DeleteText(CUndoStep* step, STextPoint from, STextPoint to) {
    if (node == nullptr || lines.empty() || from.line != lines.front() || to.line != from.line)
        return from;
    const std::uint32_t start = ValueStart();
    std::string value(text.Text());
    const std::uint32_t end = start + Utf16Columns(value);
    if (to.column < start || from.column > end)
        return from;
    const auto clip = [&value, start, end](std::uint32_t column) {
        return start + CharacterStartColumn(value, std::clamp(column, start, end) - start);
    };
    const STextPoint first{from.line, clip(from.column)};
    const STextPoint last{from.line, clip(to.column)};
    if (first >= last)
        return first;
    const std::size_t begin = ByteOffsetOfColumn(value, first.column - start);
    const std::size_t stop = ByteOffsetOfColumn(value, last.column - start);
    if (step != nullptr) {
        CUndoRecord* record = step->AddRecord(CUndoRecord::kTextDeleted);
        record->block = this;
        record->text = value.substr(begin, stop - begin).c_str();
        record->start = first;
        record->end = last;
    }
    value.erase(begin, stop - begin);
    text = value.c_str();
    SetFlags(kTextEdited);
    return first;
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
           << layout.quote;
    if (HasFlags(kTextEdited))
        output << EscapeMarkup(text.Text(), layout.quote).c_str();
    else
        output << text;
    output << layout.quote;
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
