#include "merge/element_block.h"

#include "compare/data_node.h"
#include "formats/element_spec.h"
#include "formats/file_spec.h"
#include "merge/block_output.h"
#include "merge/block_selector.h"
#include "merge/layout_choice.h"
#include "xml/element.h"
#include "xml/layout.h"
#include "xml/writer.h"

#include <algorithm>

namespace {

constexpr COLORREF kTagColour = 0xA00000;

} // namespace

CElementBlock::CElementBlock(const NXML::CElement* element, int blockSide)
    : CSimpleBlock(element, blockSide) {}

CElementBlock::CElementBlock(const CElementBlock& other) : CSimpleBlock(other) {}

CBlockBase* CElementBlock::Clone() const {
    CElementBlock* copy = CloneTree(*this);
    m_attributes.CloneInto(copy->m_attributes);
    return copy;
}

const NXML::CElement* CElementBlock::Element() const {
    return static_cast<const NXML::CElement*>(node);
}

TLine CElementBlock::NumberLines(TLine first) {
    lines.assign(1, first);
    TLine next = m_attributes.NumberChildren(first + 1);
    if (HasAttributes())
        lines.push_back(next++);
    next = NumberChildren(next);
    if (HasChildren())
        lines.push_back(next++);
    return next;
}

CBlockBase* CElementBlock::FindLine(TLine n) const {
    if (lines.empty() || n < lines.front() || n > lines.back())
        return nullptr;
    if (std::find(lines.begin(), lines.end(), n) != lines.end())
        return const_cast<CElementBlock*>(this);
    if (CBlockBase* found = m_attributes.FindLineInChildren(n))
        return found;
    return FindLineInChildren(n);
}

int CElementBlock::GetLineText(NString::TStr<char16_t>& lineText, TLine n,
                               std::vector<COLORREF>* colours) const {
    CBlockBase::GetLineText(lineText, n, colours);
    NString::TStr<char> line;
    if (!lines.empty() && n == lines.front()) {
        line = StartLine();
    } else if (HasAttributes() && lines.size() > 1 && n == lines[1]) {
        line = HasChildren() ? ">" : "/>";
    } else if (HasChildren() && !lines.empty() && n == lines.back()) {
        line = "</";
        if (const char* prefix = Prefix()) {
            line.Append(prefix);
            line.Append(":");
        }
        line.Append(text.Text());
        line.Append(">");
    } else {
        return kSideNone;
    }
    lineText = line.Text();
    if (colours != nullptr)
        colours->assign(static_cast<std::size_t>(lineText.Length()), kTagColour);
    return side;
}

NString::TStr<char> CElementBlock::StartLine() const {
    NString::TStr<char> line;
    if (node == nullptr)
        return line;
    line = "<";
    if (const char* prefix = Prefix()) {
        line.Append(prefix);
        line.Append(":");
    }
    line.Append(text.Text());
    if (!HasAttributes())
        line.Append(HasChildren() ? ">" : "/>");
    return line;
}

void CElementBlock::GetPath(NString::TStr<char>& path, const CFileSpec* spec) const {
    CBlockBase::GetPath(path, spec);
    if (node == nullptr)
        return;
    if (!path.IsEmpty())
        path.Append(".");
    path.Append(text.Text());
    const CElementSpec* rule = spec != nullptr ? spec->FindElementSpec(*Element()) : nullptr;
    if (rule == nullptr)
        return;
    for (const CSpecBase* child = rule->FirstRule(); child != nullptr; child = child->NextRule()) {
        if (child->GetType() != kSpecTypeAttribute)
            continue;
        const char* value = Element()->AttributeValue(child->name.Text());
        if (*value == 0)
            continue;
        path.Append("[");
        path.Append(value);
        path.Append("]");
    }
}

void CElementBlock::CollectSelectors(NPtr::TArray<CBlockSelector>& list) {
    m_attributes.CollectSelectors(list);
    CBlockBase::CollectSelectors(list);
}

int CElementBlock::GetWidth() {
    if (width == -1) {
        CBlockBase::GetWidth();
        width = std::max(width, m_attributes.GetWidth());
    }
    return width;
}

void CElementBlock::InvalidateWidth() {
    CBlockBase::InvalidateWidth();
    m_attributes.InvalidateWidth();
}

bool CElementBlock::IsWrittenEmpty() const {
    return !HasChildren() && !Element()->HasFlags(NXML::CElement::kEmptyWithEndTag);
}

namespace {

// Whether the block is a difference resolved to a side that lacks the node.
bool WritesNothing(const CBlockBase& block) {
    if (!block.IsBlockSelector())
        return false;
    const CSimpleBlock* chosen = static_cast<const CBlockSelector&>(block).ChosenAlternative();
    return chosen != nullptr && chosen->node == nullptr;
}

bool FormFits(const NXML::CElement& element, bool content) {
    return (NXML::FormOf(element) == NXML::EElementForm::kWithContent) == content;
}

bool SameAttributeOrder(const NXML::CNode& a, const NXML::CNode& b) {
    return NXML::IsAttributeOrderEqual(static_cast<const NXML::CElement&>(a),
                                       static_cast<const NXML::CElement&>(b));
}

} // namespace

bool CElementBlock::HasMergedContent() const {
    for (const CBlockBase* child = FirstChildBlock(); child != nullptr;
         child = child->NextSiblingBlock())
        if (!WritesNothing(*child))
            return true;
    return false;
}

const NXML::CElement& CElementBlock::TagSource(bool content) const {
    const auto& chosen = static_cast<const NXML::CElement&>(MarkupSource());
    if (match == nullptr || FormFits(chosen, content))
        return chosen;
    for (const int side : {kSideLeft, kSideRight, kSideBase}) {
        const auto* candidate = static_cast<const NXML::CElement*>(match->NodeOf(side));
        if (candidate != nullptr && FormFits(*candidate, content))
            return *candidate;
    }
    return chosen;
}

const NXML::CElement* CElementBlock::AttributeOrderSource() const {
    if (node == nullptr || match == nullptr)
        return Element();
    return static_cast<const NXML::CElement*>(
        &NodeOfSide(LayoutSide(match->nodes, SameAttributeOrder)));
}

const char* CElementBlock::Prefix() const {
    return node != nullptr ? NXML::WrittenPrefix(*Element()) : nullptr;
}

void CElementBlock::PutTagName(CBlockOutput& output, const char* opening) const {
    output << opening;
    if (const char* prefix = Prefix())
        output << prefix << ':';
    output << node->text;
}

bool CElementBlock::WriteMerged(NIO::CBase& out) const {
    if (node == nullptr)
        return true;
    const bool content = HasMergedContent();
    const NXML::CElement& tags = TagSource(content);
    CBlockOutput output(out);
    output << WhitespaceBefore();
    PutTagName(output, "<");
    output << m_attributes.WriteMerged(out) << tags.SpaceText(NXML::CElement::kSpaceBeforeTagEnd);
    if (!content && NXML::FormOf(tags) == NXML::EElementForm::kEmptyElementTag)
        return (output << "/>").Ok();
    output << '>' << CBlockBase::WriteMerged(out) << NXML::WhitespaceBeforeEndTag(tags);
    PutTagName(output, "</");
    return (output << tags.SpaceText(NXML::CElement::kSpaceInEndTag) << '>').Ok();
}

bool CElementBlock::WriteIndented(NIO::CBase& out, int depth, const char* indent) const {
    if (node == nullptr)
        return true;
    CBlockOutput output(out);
    output.LinePrefix(depth, indent);
    PutTagName(output, "<");
    output << "\r\n";
    for (const CBlockBase* attribute = m_attributes.FirstChildBlock(); attribute != nullptr;
         attribute = attribute->NextSiblingBlock())
        output << attribute->WriteIndented(out, depth + 1, indent);
    output.LinePrefix(depth, indent);
    if (IsWrittenEmpty())
        return (output << "/>\r\n").Ok();
    output << ">\r\n" << CBlockBase::WriteIndented(out, depth, indent);
    output.LinePrefix(depth, indent);
    PutTagName(output, "</");
    return (output << ">\r\n").Ok();
}
