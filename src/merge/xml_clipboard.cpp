#include "merge/xml_clipboard.h"

#include "merge/block_base.h"
#include "merge/merge_model.h"
#include "merge/xml_editing.h"

bool CXMLClipboard::Fill(const CMergeModel& model, STextPoint caret, STextPoint anchor) {
    if (!model.IsMerge())
        return false;
    const SBlockRun run = SelectedBlocks(model, caret, anchor);
    if (run.IsEmpty())
        return false;
    Clear();
    for (const CBlockBase* block = run.first; block != nullptr && run.Contains(*block);
         block = block->NextSiblingBlock())
        m_blocks.AddChild(block->Clone());
    return true;
}

const CBlockBase* CXMLClipboard::FirstBlock() const {
    return static_cast<const CBlockBase*>(m_blocks.FirstChild());
}

CXMLClipboard& TheXMLClipboard() {
    static CXMLClipboard clipboard;
    return clipboard;
}
