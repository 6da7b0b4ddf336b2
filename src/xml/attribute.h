#pragma once

#include "xml/node.h"

#include <string_view>

namespace NXML {

// An attribute of an element; it lives in the element's attribute list, never
// among the element's children. `text` holds the value without its quotes.
class CAttribute final : public CNode {
public:
    // Whitespace before the name; everything between the name and the opening
    // quote (whitespace, "=", whitespace).
    static constexpr std::size_t kSpaceBeforeName = 0;
    static constexpr std::size_t kSpaceAroundEquals = 1;

    CAttribute() = default;
    ~CAttribute() override;

    int GetType() const override { return kTypeAttribute; }
    const char* GetOpen() const override { return SpaceText(kSpaceBeforeName); }

    // The next attribute of the same list, or null.
    CAttribute* NextAttribute() const;
    // The first attribute of the list this one is in; itself outside a list.
    const CAttribute* FirstOfItsList() const;

    // Fills both whitespace slots; throws std::bad_alloc when memory runs out.
    void SetSpaces(std::string_view beforeName, std::string_view aroundEquals);

    // The full source name, prefix included.
    NString::TStr<char> name;
    // The quote mark around the value: '"' or '\''.
    char quote = '"';

private:
    // Nearly every attribute is written with one space before its name and a
    // bare "=": those share one pair of slots and have none of their own until
    // their slots are written to. An attribute without own slots and without
    // that spacing has two empty slots.
    bool m_usualSpacing = false;
    NString::TStr<char>* m_ownSlots = nullptr;

    // Makes the attribute's own slots first.
    std::span<NString::TStr<char>> SpaceSlots() override;
    std::span<const NString::TStr<char>> SpaceSlots() const override;
};

// `node` itself when it is an attribute, else the next attribute after it; null
// when there is none.
CAttribute* AttributeFrom(CNode* node);

} // namespace NXML
