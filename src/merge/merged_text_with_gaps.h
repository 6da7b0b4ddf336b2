#pragma once

#include "framework/buffer.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CBlockBase;
class CBlockSelector;

// The merged document's text as the block tree writes it, with a gap where
// each unresolved difference stands instead of a failed write, and what each
// side's alternative would have written there. Writing the model's root into
// this stream succeeds wherever writing into any other stream fails only for
// want of resolutions.
//
// The children of a block with thousands of them are written by up to
// `sharingThreads` threads side by side, each a run of them into a part of
// its own, and the parts then joined in order.
class CMergedTextWithGaps final : public NIO::CBase {
public:
    struct SGap {
        // Where the gap stands in the text.
        std::size_t offset = 0;
        // Each side's own text for the gap, indexed by side: base, left,
        // right; empty for a side without the node or without an alternative.
        std::array<std::string, 3> sides;
    };

    explicit CMergedTextWithGaps(unsigned sharingThreads = 1) : m_sharingThreads(sharingThreads) {
        flags = kReadable | kWritable;
    }

    // The stream as one that records gaps; null for any other stream.
    static CMergedTextWithGaps* Of(NIO::CBase& out);

    // Leaves a gap for `selector` at the current end; false when an
    // alternative cannot be written.
    bool AddGap(const CBlockSelector& selector);
    // Writes the children of `parent` as CBlockBase::WriteMerged does.
    bool WriteChildren(const CBlockBase& parent);

    std::string_view Text() const {
        return {reinterpret_cast<const char*>(m_text.Data()),
                static_cast<std::size_t>(m_text.Size())};
    }
    // In document order.
    const std::vector<SGap>& Gaps() const { return m_gaps; }

    // Room for a text of `bytes` bytes, so that a large one is not copied as
    // it grows; NResult::kOk or the failure.
    int Reserve(std::uint64_t bytes) { return m_text.Reserve(bytes); }

    std::size_t Read(void* buffer, std::size_t count) override {
        return m_text.Read(buffer, count);
    }
    int WriteBytes(const void* buffer, std::size_t count) override {
        return m_text.WriteBytes(buffer, count);
    }
    std::uint64_t Size() const override { return m_text.Size(); }
    int SetSize(std::uint64_t size) override { return m_text.SetSize(size); }
    std::uint64_t Position() const override { return m_text.Position(); }
    int Seek(std::int64_t offset, int origin) override { return m_text.Seek(offset, origin); }

private:
    // Appends `part`'s text and gaps.
    bool Join(CMergedTextWithGaps& part);

    NIO::TBuffer<0> m_text;
    std::vector<SGap> m_gaps;
    unsigned m_sharingThreads;
};
