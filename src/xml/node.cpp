#include "xml/node.h"

#include "framework/result.h"
#include "framework/stream.h"
#include "framework/string_functions.h"
#include "xml/content.h"
#include "xml/element.h"

namespace NXML {

int WriteString(NIO::CBase& out, const char* text) {
    if (text == nullptr || *text == 0)
        return NResult::kOk;
    return out.WriteText(text);
}

const char* CNode::SpaceText(std::size_t slot) const {
    const std::span<const NString::TStr<char>> slots = Spaces();
    return slot < slots.size() ? slots[slot].Text() : "";
}

int CNode::WriteOwnPart(NIO::CBase& out) const {
    int result = WriteString(out, GetOpen());
    if (result == NResult::kOk)
        result = WriteString(out, Body());
    if (result == NResult::kOk)
        result = WriteString(out, GetClose());
    return result;
}

int CNode::Write(NIO::CBase& out) const {
    int result = WriteOwnPart(out);
    for (const NPtr::CNode* node = NextInSubtree(this); node != nullptr && result == NResult::kOk;
         node = NextInSubtree(node))
        result = static_cast<const CNode*>(node)->WriteOwnPart(out);
    return result;
}

CElement* CNode::FirstChildElement() const {
    CNode* child = FirstChild();
    if (child == nullptr || child->GetType() == kTypeElement)
        return static_cast<CElement*>(child);
    return child->NextSiblingElement();
}

CElement* CNode::NextSiblingElement() const {
    for (CNode* sibling = NextSibling(); sibling != nullptr; sibling = sibling->NextSibling()) {
        if (sibling->GetType() == kTypeElement)
            return static_cast<CElement*>(sibling);
    }
    return nullptr;
}

CContent* CNode::FirstContent() const {
    for (CNode* child = FirstChild(); child != nullptr; child = child->NextSibling()) {
        if (child->GetType() == kTypeContent)
            return static_cast<CContent*>(child);
    }
    return nullptr;
}

CElement* CNode::FindChildElement(const char* name, bool recursive) const {
    // A pre-order walk over element children only, climbing back through the
    // parent links, so the search needs no stack however deep the tree is.
    CElement* element = FirstChildElement();
    while (element != nullptr) {
        if (NString::Compare(element->text.Text(), name) == 0)
            return element;
        if (recursive) {
            if (CElement* child = element->FirstChildElement()) {
                element = child;
                continue;
            }
        }
        CElement* next = element->NextSiblingElement();
        for (const CNode* ancestor = element->Parent(); next == nullptr && ancestor != this;
             ancestor = ancestor->Parent())
            next = ancestor->NextSiblingElement();
        element = next;
    }
    return nullptr;
}

CElement* CNode::ParentElement() const {
    for (CNode* ancestor = Parent(); ancestor != nullptr; ancestor = ancestor->Parent()) {
        if (ancestor->GetType() == kTypeElement)
            return static_cast<CElement*>(ancestor);
    }
    return nullptr;
}

bool CNode::HasContent() const {
    for (const CNode* child = FirstChild(); child != nullptr; child = child->NextSibling()) {
        if (!IsWhitespaceContent(child))
            return true;
    }
    return false;
}

} // namespace NXML
