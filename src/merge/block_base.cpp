#include "merge/block_base.h"

#include "merge/block_selector.h"
#include "merge/merged_text_with_gaps.h"
#include "merge/text_metrics.h"

#include <algorithm>
#include <string_view>

CBlockBase::CBlockBase(const CBlockBase& other)
    : NPtr::CNode(), NPtr::CFlagWord(other), lines(other.lines), width(other.width),
      side(other.side) {}

CBlockBase* CBlockBase::Clone() const {
    return CloneTree(*this);
}

void CBlockBase::AppendChildClones(CBlockBase& copy) const {
    for (const CBlockBase* child = FirstChildBlock(); child != nullptr;
         child = child->NextSiblingBlock())
        copy.AddChild(child->Clone());
}

TLine CBlockBase::NumberLines(TLine first) {
    lines.assign(1, first);
    return NumberChildren(first + 1);
}

TLine CBlockBase::NumberChildren(TLine next) {
    m_childLines.Begin(ChildCount());
    for (CBlockBase* child = FirstChildBlock(); child != nullptr;
         child = child->NextSiblingBlock()) {
        m_childLines.Add(next, child);
        next = child->NumberLines(next);
    }
    return next;
}

CBlockBase* CBlockBase::FindLine(TLine n) const {
    if (lines.empty() || n < lines.front() || n > lines.back())
        return nullptr;
    if (std::find(lines.begin(), lines.end(), n) != lines.end())
        return const_cast<CBlockBase*>(this);
    return FindLineInChildren(n);
}

CBlockBase* CBlockBase::FindLineInChildren(TLine n) const {
    // Children are numbered one after another, so only the one that starts
    // last at or before `n` can hold it.
    if (m_childLines.IsBuilt()) {
        const CBlockBase* child = m_childLines.ChildFor(n);
        return child != nullptr ? child->FindLine(n) : nullptr;
    }
    for (CBlockBase* child = FirstChildBlock(); child != nullptr;
         child = child->NextSiblingBlock()) {
        if (CBlockBase* found = child->FindLine(n))
            return found;
    }
    return nullptr;
}

CBlockBase* CBlockBase::NextLineBlock(TLine line) const {
    for (const CBlockBase* block = this; block != nullptr; block = block->ParentBlock()) {
        if (CBlockBase* found = block->FindLine(line + 1))
            return found;
    }
    return nullptr;
}

TLine CBlockBase::FirstLine() const {
    if (!lines.empty())
        return lines.front();
    const CBlockBase* parent = ParentBlock();
    return parent != nullptr ? parent->FirstLine() : kNoLine;
}

TLine CBlockBase::LastLine() const {
    if (!lines.empty())
        return lines.back();
    const CBlockBase* parent = ParentBlock();
    return parent != nullptr ? parent->LastLine() : kNoLine;
}

int CBlockBase::GetLineText(NString::TStr<char16_t>& text, TLine,
                            std::vector<COLORREF>* colours) const {
    text.Clear();
    if (colours != nullptr)
        colours->clear();
    return kSideNone;
}

void CBlockBase::GetPath(NString::TStr<char>& path, const CFileSpec* spec) const {
    if (const CBlockBase* parent = ParentBlock())
        parent->GetPath(path, spec);
    else
        path.Clear();
}

void CBlockBase::CollectSelectors(NPtr::TArray<CBlockSelector>& list) {
    for (CBlockBase* child = FirstChildBlock(); child != nullptr; child = child->NextSiblingBlock())
        child->CollectSelectors(list);
}

int CBlockBase::GetIndent() const {
    int levels = IsAttributeBlock() ? -1 : 0;
    for (const CBlockBase* ancestor = ParentBlock(); ancestor != nullptr;
         ancestor = ancestor->ParentBlock()) {
        if (ancestor->ParentBlock() != nullptr && !ancestor->IsBlockSelector())
            ++levels;
    }
    return levels * IndentUnit();
}

STabStops CBlockBase::GetTabStops() const {
    const int unit = IndentUnit();
    return {GetIndent() + unit, unit};
}

int CBlockBase::GetWidth() {
    if (width == -1) {
        int widest = ChildrenWidth();
        for (const TLine n : lines)
            widest = std::max(widest, RightEnd(n));
        width = widest;
    }
    return width;
}

void CBlockBase::InvalidateWidth() {
    width = -1;
    for (CBlockBase* child = FirstChildBlock(); child != nullptr; child = child->NextSiblingBlock())
        child->InvalidateWidth();
}

bool CBlockBase::WriteMerged(NIO::CBase& out) const {
    if (CMergedTextWithGaps* text = CMergedTextWithGaps::Of(out))
        return text->WriteChildren(*this);
    return WriteMergedRange(FirstChildBlock(), nullptr, out);
}

bool CBlockBase::WriteMergedRange(const CBlockBase* first, const CBlockBase* end, NIO::CBase& out) {
    for (const CBlockBase* block = first; block != end; block = block->NextSiblingBlock()) {
        if (!block->WriteMerged(out))
            return false;
    }
    return true;
}

bool CBlockBase::WriteIndented(NIO::CBase& out, int depth, const char* indent) const {
    for (const CBlockBase* child = FirstChildBlock(); child != nullptr;
         child = child->NextSiblingBlock()) {
        if (!child->WriteIndented(out, depth + 1, indent))
            return false;
    }
    return true;
}

CBlockSelector* CBlockBase::EnclosingSelector() const {
    for (const CBlockBase* block = this; block != nullptr; block = block->ParentBlock()) {
        if (block->IsBlockSelector())
            return static_cast<CBlockSelector*>(const_cast<CBlockBase*>(block));
    }
    return nullptr;
}

CBlockBase* CBlockBase::EnclosingElement() const {
    for (const CBlockBase* block = this; block != nullptr; block = block->ParentBlock()) {
        if (block->IsElementBlock())
            return const_cast<CBlockBase*>(block);
    }
    return nullptr;
}

void CBlockBase::InvalidateWidthUp() {
    for (CBlockBase* block = this; block != nullptr; block = block->ParentBlock())
        block->width = -1;
}

void CBlockBase::MeasureLine(TLine n, std::vector<SCharPlacement>& placements) const {
    NString::TStr<char16_t> text;
    GetLineText(text, n, nullptr);
    const std::u16string_view line(text.Text(), static_cast<std::size_t>(text.Length()));
    std::vector<int> advances;
    MeasureAdvances(line, advances);
    const STabStops stops = GetTabStops();

    placements.clear();
    int x = GetIndent();
    std::uint32_t tabs = 0;
    for (std::size_t unit = 0; unit < line.size(); ++unit) {
        int advance = advances[unit];
        if (line[unit] == u'\t') {
            // The k-th tab runs to the k-th stop; a stop already passed gives
            // the tab no width rather than moving the text back.
            advance = std::max(0, stops.At(tabs) - x);
            ++tabs;
        }
        placements.push_back({x, advance});
        x += advance;
    }
    placements.push_back({x, 0});
}

int CBlockBase::RightEnd(TLine n) const {
    std::vector<SCharPlacement> placements;
    MeasureLine(n, placements);
    return placements.back().x;
}

int CBlockBase::ChildrenWidth() {
    int widest = 0;
    for (CBlockBase* child = FirstChildBlock(); child != nullptr; child = child->NextSiblingBlock())
        widest = std::max(widest, child->GetWidth());
    return widest;
}

STextPoint CBlockBase::InsertText(CUndoStep* /*step*/, STextPoint at, std::string_view /*text*/) {
    return at;
}

STextPoint CBlockBase::DeleteText(CUndoStep* /*step*/, STextPoint from, STextPoint /*to*/) {
    return from;
}
