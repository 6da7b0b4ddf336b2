#pragma once

#include "xml/node.h"

// The character-level node kinds: character data, comments, CDATA sections
// and processing instructions. Each holds its body in `text`.
namespace NXML {

// Character data as it stands in the source; references are not replaced.
class CContent final : public CNode {
public:
    int GetType() const override { return kTypeContent; }

    // True when the text is not empty and holds only tab, line feed, carriage
    // return, space, U+0085 and U+2028.
    bool IsWhitespace() const;
};

class CComment final : public CNode {
public:
    int GetType() const override { return kTypeComment; }
    const char* GetOpen() const override { return "<!--"; }
    const char* GetClose() const override { return "-->"; }
};

class CCData final : public CNode {
public:
    int GetType() const override { return kTypeCData; }
    const char* GetOpen() const override { return "<![CDATA["; }
    const char* GetClose() const override { return "]]>"; }
};

// A processing instruction, target included in `text`; the XML declaration is one.
class CPI final : public CNode {
public:
    int GetType() const override { return kTypeProcessingInstruction; }
    const char* GetOpen() const override { return "<?"; }
    const char* GetClose() const override { return "?>"; }
};

// Whether `node` is character data that holds only whitespace.
bool IsWhitespaceContent(const CNode* node);

// `node`, or the first sibling after it that is not whitespace-only
// character data (which comparing leaves out); null when none is.
const CNode* SkipWhitespaceContent(const CNode* node);

// Calls `each` on the children of `a` and `b` that comparing takes, pair by
// pair in order, while it returns true. Whether it always did and the two
// lists ran out together.
template <class FEach> bool ForEachChildPair(const CNode& a, const CNode& b, FEach each) {
    const CNode* childA = SkipWhitespaceContent(a.FirstChild());
    const CNode* childB = SkipWhitespaceContent(b.FirstChild());
    for (; childA != nullptr && childB != nullptr;
         childA = SkipWhitespaceContent(childA->NextSibling()),
         childB = SkipWhitespaceContent(childB->NextSibling()))
        if (!each(*childA, *childB))
            return false;
    return childA == nullptr && childB == nullptr;
}

// Whether `node` is an XML declaration: a processing instruction whose target
// is "xml" in any mix of case ("<?xml version='1.0'?>", "<?XML ...?>"), not
// merely one starting with it ("<?xml-stylesheet ...?>").
bool IsXmlDeclaration(const CNode& node);

} // namespace NXML
