#pragma once

// How a node's markup is laid out, apart from what it says: the whitespace
// inside its tags, its quote marks, the form of an element without content
// and the order of an element's attributes. Two nodes that NXML::IsEqual
// finds equal may still be laid out differently.
namespace NXML {

class CElement;
class CNode;

// The form an element is written in.
enum class EElementForm {
    // "<e/>"
    kEmptyElementTag,
    // "<e></e>", with nothing but whitespace between the tags
    kEndTagWithoutContent,
    // a start tag, content and an end tag
    kWithContent,
};

EElementForm FormOf(const CElement& element);

// Whether two nodes of one kind lay out their own markup alike: the same
// whitespace slots and, by kind, the same quote mark of an attribute; the
// same form and whitespace before the end tag of an element; the same text
// before ">" and before the end of the internal subset of a document type
// declaration. Names, values and children are not compared.
bool IsLayoutEqual(const CNode& a, const CNode& b);

// Whether the whitespace-only text just before each node is the same.
bool IsSpacingBeforeEqual(const CNode& a, const CNode& b);

// Whether the attributes that both elements have (by name) stand in the same
// order in each.
bool IsAttributeOrderEqual(const CElement& a, const CElement& b);

} // namespace NXML
