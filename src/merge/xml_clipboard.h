#pragma once

#include "framework/node.h"
#include "merge/text_point.h"

class CBlockBase;
class CMergeModel;

// Whole blocks copied from a merge, cloned in document order, for pasting as
// XML. The clones refer to the XML nodes of the documents they came from, so
// the clipboard must be emptied before those documents go away: every load
// clears the process-wide one.
class CXMLClipboard {
public:
    CXMLClipboard() = default;
    CXMLClipboard(const CXMLClipboard&) = delete;
    CXMLClipboard& operator=(const CXMLClipboard&) = delete;

    // In a merge, replaces the content with clones of the blocks the
    // selection covers; in a compare, or without a selection, keeps it.
    // Whether the content was replaced.
    bool Fill(const CMergeModel& model, STextPoint caret, STextPoint anchor);
    void Clear() { m_blocks.DeleteChildren(); }
    bool IsEmpty() const { return m_blocks.FirstChild() == nullptr; }
    // The first block; the others follow as its siblings.
    const CBlockBase* FirstBlock() const;

private:
    NPtr::CNode m_blocks;
};

// The clipboard of the process.
CXMLClipboard& TheXMLClipboard();
