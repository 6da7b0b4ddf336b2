#pragma once

// Building merge models from documents held in memory, and capturing what
// the blocks write.

#include "../xml/xml_test_support.h"
#include "compare/data_node.h"
#include "framework/buffer.h"
#include "merge/block_building.h"
#include "merge/block_rendering.h"
#include "merge/merge_model.h"
#include "xml/doc.h"

#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace MergeTest {

using XmlTest::ParseBytes;
using XmlTest::StreamContent;

// One operation: the parsed inputs (base only in a three-way one), their
// match tree and the model built from it.
class COperation {
public:
    // `base` absent makes a two-way operation; without `spec` every element's
    // children match in order, by name. `reportOnly` matches as a silent
    // compare does (SMatchContext::reportOnly).
    COperation(std::optional<std::string_view> base, std::string_view left, std::string_view right,
               bool merge, const CFileSpec* spec = nullptr, bool reportOnly = false) {
        context.order.Fill(base.has_value());
        context.merge = merge;
        context.spec = spec;
        context.reportOnly = reportOnly;
        if (base.has_value())
            Parse(kSideBase, *base);
        Parse(kSideLeft, left);
        Parse(kSideRight, right);
        root.Match(docs[kSideBase].get(), docs[kSideLeft].get(), docs[kSideRight].get(), context);
        BuildModel(model, root, context);
    }

    std::string Rendering() const { return RenderModel(model); }

    // WriteMerged of the root; "<failed>" when it reports a failure.
    std::string Merged() const {
        NIO::TBuffer<0> out;
        if (!model.Root().WriteMerged(out))
            return "<failed>";
        return StreamContent(out);
    }

    std::string Indented(int depth = -1, const char* indent = "") const {
        NIO::TBuffer<0> out;
        if (!model.Root().WriteIndented(out, depth, indent))
            return "<failed>";
        return StreamContent(out);
    }

    CBlockSelector& Difference(std::uint32_t index) { return *model.Differences()[index]; }

    std::array<std::unique_ptr<NXML::CDoc>, 3> docs;
    SMatchContext context;
    CDocNode root;
    CMergeModel model;

private:
    void Parse(int side, std::string_view bytes) {
        auto& doc = docs[static_cast<std::size_t>(side)];
        doc = std::make_unique<NXML::CDoc>();
        ParseBytes(*doc, bytes);
    }
};

// Strings in an unordered list, identified by their names.
inline constexpr const char* kStringsSpec =
    "<file name='test' root='resources'>"
    "<element name='resources' order='Random'/><element "
    "name='string'><attribute name='name'/></element></file>";

// One merge of a test table, with the result it must give.
struct SMergeCase {
    const char* what;
    // Null for a two-way merge.
    const char* base;
    const char* left;
    const char* right;
    // The clean result, or null where a conflict must stay open.
    const char* merged;
};

inline void PrintTo(const SMergeCase& test, std::ostream* out) {
    *out << test.what;
}

// Checks a merge's outcome: `merged` is the exact result, or null where a
// conflict must remain and nothing can be saved.
inline void ExpectMergeOutcome(const COperation& operation, const char* merged, const char* what) {
    if (merged == nullptr) {
        EXPECT_GT(operation.model.ConflictCount(), 0u) << what;
        EXPECT_EQ(operation.Merged(), "<failed>") << what;
    } else {
        EXPECT_EQ(operation.model.ConflictCount(), 0u) << what;
        EXPECT_EQ(operation.Merged(), merged) << what;
    }
}

// A two-way operation where `base` is null.
inline COperation OperationOf(const char* base, std::string_view left, std::string_view right,
                              bool merge, const CFileSpec* spec = nullptr) {
    return base != nullptr ? COperation(base, left, right, merge, spec)
                           : COperation(std::nullopt, left, right, merge, spec);
}

inline COperation MergeOf(const SMergeCase& test, const CFileSpec* spec = nullptr) {
    return OperationOf(test.base, test.left, test.right, true, spec);
}

// Merges each case, under `spec` where one is given, and checks its outcome.
inline void ExpectMergeOutcomes(std::span<const SMergeCase> cases,
                                const CFileSpec* spec = nullptr) {
    for (const SMergeCase& test : cases)
        ExpectMergeOutcome(MergeOf(test, spec), test.merged, test.what);
}

} // namespace MergeTest
