#pragma once

// The written forms of the nodes and the whole-document writer. Output is
// UTF-8, without any escaping: node texts hold their source form. Each form
// writes one node's own markup and never the whitespace around it; the
// whitespace rules below say who writes that. Every writing function returns
// NResult::kOk or the first failing stream result.
namespace NIO {
class CBase;
}

namespace NXML {

class CAttribute;
class CDoc;
class CDocTypeDecl;
class CElement;
class CNamespaceLookup;
class CNode;

// ---- Node forms ----

// Spaces slot 0, name, slot 1, quote, value, quote.
int WriteAttribute(NIO::CBase& out, const CAttribute& attribute);
// "<", the prefix and ":" (unless `prefix` is null), the name, the
// attributes, slot 0, then "/>" for an empty-element tag or ">".
int WriteStartTag(NIO::CBase& out, const CElement& element, const char* prefix,
                  bool emptyElementTag);
// "</", the prefix and ":" (unless `prefix` is null), the name, slot 1, ">".
int WriteEndTag(NIO::CBase& out, const CElement& element, const char* prefix);
// A document type declaration up to and including the "[" of its internal
// subset, or, without a subset, the whole declaration.
int WriteDocTypeStart(NIO::CBase& out, const CDocTypeDecl& declaration);
// After the children of the internal subset: "]", the text before ">", ">".
// Nothing for a declaration without a subset.
int WriteDocTypeEnd(NIO::CBase& out, const CDocTypeDecl& declaration);
// GetOpen, Body, GetClose: character data, comments, CDATA sections,
// processing instructions, element, attribute-list and entity declarations.
int WritePlainForm(NIO::CBase& out, const CNode& node);

// Whether `element` is written as an empty-element tag: it has no children
// and was not read with an end tag.
bool IsWrittenEmpty(const CElement& element);

// The prefix written before a prefixed element's name; null for an element
// without one (an empty prefix is still written with its ":"). The element's
// own prefix while it gives the element's namespace in `scope` (bound to it,
// or undeclared where the default namespace is the element's); otherwise the
// prefix of the nearest declaration of that namespace; and when there is
// none, the own prefix as the source had it.
const char* WrittenPrefix(const CElement& element, const CNamespaceLookup& scope);
// The same with the scope of the element's place in its tree.
const char* WrittenPrefix(const CElement& element);

// ---- Whitespace rules ----
// Whitespace-only character data is written by its neighbours: an element
// or a node in plain form other than character data and comments writes the
// whitespace just before it, and an element writes the whitespace before its
// end tag.

bool WritesWhitespaceBefore(const CNode& node);
// The text of the preceding sibling when that is whitespace-only character
// data, else "".
const char* WhitespaceBefore(const CNode& node);
// The text of the last child when that is whitespace-only character data.
const char* WhitespaceBeforeEndTag(const CElement& element);

// Writes a whole document through the node forms and the whitespace rules;
// whitespace-only text that neither neighbour writes is written where it
// stands, and the document's trailing text comes last. A parsed, unchanged
// document comes out as it was read, apart from its byte-order mark.
int WriteDocument(NIO::CBase& out, const CDoc& doc);

} // namespace NXML
