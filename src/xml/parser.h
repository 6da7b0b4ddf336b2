#pragma once

#include "xml/parse_error.h"

// The content reader: one pass over a document's decoded text that cuts it
// in place into the node strings (by writing zero bytes) and builds the tree.
//
// What it makes of the text:
// - Character data between markup becomes CContent nodes, whitespace-only
//   runs included. Whitespace after the root element's end and the last node
//   is kept in CDoc::trailingText.
// - A "<" that starts no construct (a stray "<", "<!" with an unknown
//   keyword) stays part of the character data around it.
// - An element runs to its end tag, which repeats the start tag's name
//   exactly (the same prefix) and may have whitespace before its ">".
//
// Everything else that XML does not allow and that could not be written back
// as it stands refuses the document: see EParseProblem. The reader stops at
// the first such place.
//
// Elements and internal subsets are kept on a stack of their own, so any
// depth of nesting is safe, and namespace lookups take constant time.
namespace NXML {

class CDoc;

// Reads [begin, end) into children of `doc`; `*end` must be a zero byte.
// The problem kNone, or why and where the reading stopped (the nodes made so
// far then stay). Throws std::bad_alloc when memory runs out.
SParseError ReadContent(CDoc& doc, char* begin, char* end);

} // namespace NXML
