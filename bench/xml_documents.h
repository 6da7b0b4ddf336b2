#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Generated XML documents for benchmarks. The same shape, size and seed give
// the same bytes on every machine and with every standard library, so timings
// from different runs measure the same input.
namespace NBench {

enum class EDocumentShape {
    // A flat list of records with attributes and a line of text under one
    // root; about one record in a hundred differs in structure.
    kRecords,
    // Document text: chapters of sections nested to depths 3 to 8, paragraphs
    // with inline markup, comments, some CDATA sections, a few processing
    // instructions and a namespace prefix.
    kMixed,
};

constexpr std::uint64_t kDefaultSeed = 0x9E3779B97F4A7C15;

constexpr std::size_t kMegabyte = 1024 * 1024;

// "records" or "mixed".
std::string_view ShapeName(EDocumentShape shape);
std::optional<EDocumentShape> ShapeFromName(std::string_view name);

// A UTF-8 document without a byte-order mark, of `minimumSize` bytes or a
// little more: generation stops at the first record or chapter that reaches
// the size, then closes the root element.
std::string GenerateXmlDocument(EDocumentShape shape, std::size_t minimumSize,
                                std::uint64_t seed = kDefaultSeed);

} // namespace NBench
