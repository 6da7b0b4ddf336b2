#pragma once

// The content reader: one pass over a document's decoded text that cuts it
// in place into the node strings (by writing zero bytes) and builds the tree.
//
// What it makes of the text:
// - Character data between markup becomes CContent nodes, whitespace-only
//   runs included. Text after the last node of the document is kept in
//   CDoc::trailingText instead; a document without any node gets it as its
//   one CContent child.
// - A "<" that starts no construct (a stray "<" or end tag, "<!" with an
//   unknown keyword) and an unterminated comment, CDATA section or
//   processing instruction stay part of the character data around them.
// - An element runs to its end tag, which must repeat the start tag's name
//   exactly (same prefix, no whitespace before ">"); without one its content
//   runs to the end of the text. Text after the last node inside an
//   unclosed element or internal subset is that node's last child.
//
// The parse stops, keeping the nodes made so far, when a start tag has an
// attribute without a quoted value or without its closing quote, when a tag
// is cut off by the end of the text, and in the cases declaration_reader.h
// lists. Text from that point on is not read.
//
// Elements and internal subsets are kept on a stack of their own, so any
// depth of nesting is safe, and namespace lookups take constant time.
namespace NXML {

class CDoc;

// Reads [begin, end) into children of `doc`; `*end` must be a zero byte.
// Throws std::bad_alloc when memory runs out.
void ReadContent(CDoc& doc, char* begin, char* end);

} // namespace NXML
