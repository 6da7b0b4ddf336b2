#pragma once

#include "xml/node.h"

#include <array>

namespace NXML {

// An attribute of an element; it lives in the element's attribute list, never
// among the element's children. `text` holds the value without its quotes.
class CAttribute final : public CNode {
public:
    // Whitespace before the name; everything between the name and the opening
    // quote (whitespace, "=", whitespace).
    static constexpr std::size_t kSpaceBeforeName = 0;
    static constexpr std::size_t kSpaceAroundEquals = 1;

    int GetType() const override { return kTypeAttribute; }
    const char* GetOpen() const override { return SpaceText(kSpaceBeforeName); }

    // The next attribute of the same list, or null.
    CAttribute* NextAttribute() const;

    // The full source name, prefix included.
    NString::TStr<char> name;
    // The quote mark around the value: '"' or '\''.
    char quote = '"';

private:
    std::array<NString::TStr<char>, 2> m_spaceSlots;

    std::span<NString::TStr<char>> SpaceSlots() override { return m_spaceSlots; }
};

// `node` itself when it is an attribute, else the next attribute after it; null
// when there is none.
CAttribute* AttributeFrom(CNode* node);

} // namespace NXML
