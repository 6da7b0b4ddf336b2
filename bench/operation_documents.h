#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The three documents of a generated comparison or merge: a base and two
// sides edited from it as users edit files. Each side changes about 1% of
// the base's units (records or paragraphs), inserts 0.5%, deletes 0.5% and
// moves a few; the two sides edit independently, so most edits are clean
// and a few meet. The same shape, size and seed give the same bytes.
namespace NBench {

enum class EOperationShape {
    // Records with an "id" attribute under one parent.
    kRecords,
    // Chapters and sections with "id" attributes holding paragraphs.
    kNested,
    // Divisions with "id" attributes, each holding 20 paragraphs and then
    // the next division: tens of thousands of levels deep at 100 MB.
    kDeep,
};

struct SOperationDocuments {
    std::string base;
    std::string left;
    std::string right;
    // A format specification file for the documents: records identified by
    // their id under a parent that is "Random" when `unordered` was asked
    // for and "Sequenced" otherwise; chapters, sections, divisions and
    // paragraphs by id.
    std::string spec;
};

// The shape named "records", "nested" or "deep"; false for any other name.
bool OperationShapeFromName(std::string_view name, EOperationShape& shape);

// Documents whose base holds at least `minimumSize` bytes.
SOperationDocuments GenerateOperation(EOperationShape shape, std::size_t minimumSize,
                                      bool unordered, std::uint64_t seed = 0x5EED);

} // namespace NBench
