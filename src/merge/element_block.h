#pragma once

#include "merge/attribute_list.h"
#include "merge/simple_block.h"

class CBlockOutput;

namespace NXML {
class CElement;
}

// An element: its start tag, one line per attribute and the end of the start
// tag when it has attributes, its content, and its end tag when it has
// content. A placeholder shows one empty line.
class CElementBlock final : public CSimpleBlock {
public:
    CElementBlock(const NXML::CElement* element, int blockSide);
    // The fields and an empty attribute list of its own.
    CElementBlock(const CElementBlock& other);

    // Also clones the attribute list.
    CBlockBase* Clone() const override;
    TLine NumberLines(TLine first) override;
    CBlockBase* FindLine(TLine n) const override;
    int GetLineText(NString::TStr<char16_t>& lineText, TLine n,
                    std::vector<COLORREF>* colours) const override;
    // The parent's path, ".", the local name, then "[value]" for each
    // identifying attribute of the element's rule that has a value.
    void GetPath(NString::TStr<char>& path, const CFileSpec* spec) const override;
    // The attributes' selectors come before the content's.
    void CollectSelectors(NPtr::TArray<CBlockSelector>& list) override;
    int GetWidth() override;
    void InvalidateWidth() override;
    bool WriteMerged(NIO::CBase& out) const override;
    bool WriteIndented(NIO::CBase& out, int depth, const char* indent) const override;
    bool IsElementBlock() const override { return true; }

    // Null in a placeholder.
    const NXML::CElement* Element() const;
    // The element whose attribute order the merged document takes (see
    // LayoutSide); null in a placeholder.
    const NXML::CElement* AttributeOrderSource() const;
    CAttributeList& Attributes() { return m_attributes; }
    const CAttributeList& Attributes() const { return m_attributes; }

private:
    bool HasAttributes() const { return m_attributes.FirstChild() != nullptr; }
    bool HasChildren() const { return FirstChild() != nullptr; }
    // Written as an empty-element tag: no content blocks and no end tag in the source.
    bool IsWrittenEmpty() const;
    // Whether some child block writes something in the merged document: a
    // difference resolved to a side without the node is no content.
    bool HasMergedContent() const;
    // The element whose tags the merged document writes: the whitespace in
    // them, the form and the whitespace before the end tag. The one whose
    // layout is taken when its form fits the merged content (content, or an
    // empty form without), else the first side that fits, so an element that
    // gains content on one side is written as that side wrote it.
    const NXML::CElement& TagSource(bool content) const;
    // The prefix before the local name, null when the source name had none.
    const char* Prefix() const;
    // "<" or "</", the prefix and ":" when there is one, and the local name.
    void PutTagName(CBlockOutput& output, const char* opening) const;
    // The start-tag line of the display.
    NString::TStr<char> StartLine() const;

    CAttributeList m_attributes{*this};
};
