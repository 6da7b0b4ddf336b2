#pragma once

// Helpers shared by the comparison tests: documents and specifications from
// text, and match trees built from them.

#include "../formats/formats_test_support.h"
#include "compare/data_node.h"
#include "compare/match_dump.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace CompareTest {

using FormatsTest::ParseDocument;

// A specification from its rules, e.g. "<element name='x'><attribute name='id'/></element>".
inline std::unique_ptr<CFileSpec> SpecWithRules(std::string_view rules) {
    return FormatsTest::ReadSpec("<file name='test' root='r'>" + std::string(rules) + "</file>");
}

// The documents of one operation and the match tree built from them.
struct SMatch {
    std::unique_ptr<NXML::CDoc> base, left, right;
    std::unique_ptr<CFileSpec> spec;
    SMatchContext context;
    CDocNode root;

    std::string Dump() const { return DumpMatchTree(root, context); }
};

// A two-way compare of `left` and `right`, made into other operations by
// the setters: SOperation(l, r).Base(b).Merge().Rules(...).
struct SOperation {
    SOperation(std::string leftText, std::string rightText)
        : left(std::move(leftText)), right(std::move(rightText)) {}
    SOperation& Base(std::string text) {
        base = std::move(text);
        return *this;
    }
    SOperation& Merge() {
        merge = true;
        return *this;
    }
    SOperation& Rules(std::string text) {
        rules = std::move(text);
        return *this;
    }
    SOperation& ReportOnly() {
        reportOnly = true;
        return *this;
    }

    std::string left, right;
    std::optional<std::string> base;
    bool merge = false;
    bool reportOnly = false;
    std::string rules;
};

inline std::unique_ptr<SMatch> Match(const SOperation& operation) {
    auto match = std::make_unique<SMatch>();
    match->left = ParseDocument(operation.left);
    match->right = ParseDocument(operation.right);
    if (operation.base)
        match->base = ParseDocument(*operation.base);
    if (!operation.rules.empty())
        match->spec = SpecWithRules(operation.rules);
    match->context.order.Fill(operation.base.has_value());
    match->context.merge = operation.merge;
    match->context.reportOnly = operation.reportOnly;
    match->context.spec = match->spec.get();
    match->root.Match(match->base.get(), match->left.get(), match->right.get(), match->context);
    return match;
}

inline std::string Dump(const SOperation& operation) {
    return Match(operation)->Dump();
}

} // namespace CompareTest
