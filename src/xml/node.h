#pragma once

#include "framework/flag_word.h"
#include "framework/node.h"
#include "framework/str.h"

#include <cstdint>
#include <span>

namespace NIO {
class CBase;
}

namespace NXML {

// Node kinds as GetType reports them. 12 belongs to no kind.
enum : int {
    kTypeAttribute = 1,
    kTypeAttributeDecl = 2,
    kTypeAttributeDef = 3,
    kTypeCData = 4,
    kTypeComment = 5,
    kTypeContent = 6,
    kTypeContentParticle = 7,
    kTypeDocTypeDecl = 8,
    kTypeDocument = 9,
    kTypeElement = 10,
    kTypeElementDecl = 11,
    kTypeProcessingInstruction = 13,
    kTypePlain = 14,
};

class CElement;
class CContent;

// The base of every XML node, and itself the plain node (type 14) that holds
// a bare value. The tree keeps every byte of the source: markup pieces live in
// the node kinds, whitespace inside tags in the `Spaces` slots of each kind.
//
// Every node of an XML tree is an NXML::CNode, so the tree links are offered
// here with that type. A node owns its subtree; deleting it never recurses.
class CNode : public NPtr::CNode, public NPtr::CFlagWord {
public:
    CNode() = default;

    virtual int GetType() const { return kTypePlain; }
    // Markup written before and after the body.
    virtual const char* GetOpen() const { return ""; }
    virtual const char* GetClose() const { return ""; }
    // What is written between GetOpen and GetClose: `text`, unless the kind
    // keeps the source form of a more complex body.
    virtual const char* Body() const { return text.Text(); }

    // Writes the node's own part (GetOpen, Body, GetClose) and then those of
    // its subtree in document order; an element has no own part, so only the
    // text, comments, CDATA sections and instructions below it come out.
    // NResult::kOk or the first failing stream result.
    int Write(NIO::CBase& out) const;

    // Whitespace slots of this kind of node (empty for most kinds).
    std::span<NString::TStr<char>> Spaces() { return SpaceSlots(); }
    std::span<const NString::TStr<char>> Spaces() const { return SpaceSlots(); }
    // The slot's text, "" for a slot this kind does not have.
    const char* SpaceText(std::size_t slot) const;

    // ---- Tree links, typed ----
    // Null for an attribute: the head of an element's attribute list is a
    // bare NPtr::CNode, not an XML node.
    CNode* Parent() const {
        return GetType() == kTypeAttribute ? nullptr : Cast(NPtr::CNode::Parent());
    }
    CNode* FirstChild() const { return Cast(NPtr::CNode::FirstChild()); }
    CNode* LastChild() const { return Cast(NPtr::CNode::LastChild()); }
    CNode* ChildAt(std::uint32_t index) const { return Cast(NPtr::CNode::ChildAt(index)); }
    CNode* NextSibling() const { return Cast(NPtr::CNode::NextSibling()); }
    CNode* PreviousSibling() const { return Cast(NPtr::CNode::PreviousSibling()); }

    // ---- Lookups ----
    CElement* FirstChildElement() const;
    // The next element among the following siblings.
    CElement* NextSiblingElement() const;
    CContent* FirstContent() const;
    // The first element child whose local name is `name`; with `recursive`,
    // each child's subtree is searched (depth first) before the next child.
    CElement* FindChildElement(const char* name, bool recursive = false) const;
    // The nearest element among the ancestors.
    CElement* ParentElement() const;
    // Whether some child is more than whitespace-only character data.
    bool HasContent() const;

    // The hash of this node's subtree, 0 until SubtreeHash (xml/subtree_hash.h)
    // first computes it. Declared before `text` so that it fills the padding
    // after the flags word and costs no memory.
    mutable std::uint32_t subtreeHash = 0;

    // Element or declaration name, character data, comment or instruction
    // body, attribute value. Parsed nodes borrow it from the document's text.
    NString::TStr<char> text;

protected:
    // Overridden by the kinds with whitespace slots. Asked through a virtual
    // call rather than kept as a pointer in every node, so that the many
    // nodes without slots stay small.
    virtual std::span<NString::TStr<char>> SpaceSlots() { return {}; }
    virtual std::span<const NString::TStr<char>> SpaceSlots() const { return {}; }

    // This node's own part for Write.
    virtual int WriteOwnPart(NIO::CBase& out) const;

private:
    static CNode* Cast(NPtr::CNode* node) { return static_cast<CNode*>(node); }
};

// Appends zero-terminated text to `out`; empty text writes nothing.
// NResult::kOk or the stream's failure.
int WriteString(NIO::CBase& out, const char* text);

} // namespace NXML
