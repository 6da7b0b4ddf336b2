#pragma once

// Readers of the markup declarations: the document type declaration and the
// element, attribute-list, entity and notation declarations of its internal
// subset.
//
// Each reads from `position` (just after the keyword) without passing `end`,
// appends its node to `parent`, and returns the position after what it
// consumed; the zero bytes that end names go through `cutter`. Null means
// the declaration is malformed beyond reading, and the document is refused
// there. That happens when
// - a literal of the document type declaration has no opening or closing
//   quote, or a public identifier is not followed by a system literal;
// - a declaration has no closing ">" (it is cut off by the end of the text).
// Inside a complete element or attribute-list declaration nothing fails: its
// source text is kept whole, and what does not fit the grammar is skipped
// when the model is built.
namespace NXML {

class CNode;
class CDocTypeDecl;
class CTextCutter;

// Reads up to the "[" that opens the internal subset (the declaration then
// has kHasInternalSubset and the subset's content follows) or up to and
// including the closing ">". `declaration` receives the node once appended.
char* ReadDocTypeDecl(CNode& parent, char* position, char* end, CTextCutter& cutter,
                      CDocTypeDecl*& declaration);
// After the "]" of the internal subset: up to and including the ">".
char* ReadDocTypeClose(CDocTypeDecl& declaration, char* position, char* end);

char* ReadElementDecl(CNode& parent, char* position, char* end, CTextCutter& cutter);
char* ReadAttributeListDecl(CNode& parent, char* position, char* end, CTextCutter& cutter);
// Entity and notation declarations are kept whole.
char* ReadEntityDecl(CNode& parent, char* position, char* end, CTextCutter& cutter);
char* ReadNotationDecl(CNode& parent, char* position, char* end, CTextCutter& cutter);

} // namespace NXML
