#pragma once

#include "xml/node.h"

#include <array>

namespace NXML {

// <!DOCTYPE name PUBLIC "pub" "sys" [ internal subset ]>. `text` holds the
// root element name; the declarations of the internal subset and the text
// between them are the children.
class CDocTypeDecl final : public CNode {
public:
    // Written with "[...]", even when the subset is empty.
    static constexpr std::uint32_t kHasInternalSubset = 0x100;

    // Between "<!DOCTYPE" and the name; after the name; after "PUBLIC"; after
    // "SYSTEM" or between the two literals; (unused); after the system literal.
    static constexpr std::size_t kSpaceBeforeName = 0;
    static constexpr std::size_t kSpaceAfterName = 1;
    static constexpr std::size_t kSpaceAfterPublic = 2;
    static constexpr std::size_t kSpaceBeforeSystemLiteral = 3;
    static constexpr std::size_t kSpaceAfterSystemLiteral = 5;

    int GetType() const override { return kTypeDocTypeDecl; }
    const char* GetOpen() const override { return "<!DOCTYPE"; }
    const char* GetClose() const override { return ">"; }

    NString::TStr<char> publicLiteral;
    NString::TStr<char> systemLiteral;
    // The quote marks of the literals; 0 when the literal is absent.
    char publicQuote = 0;
    char systemQuote = 0;
    // The source text between the last part read (the "]" of the internal
    // subset, or the external identifier) and the closing ">".
    NString::TStr<char> beforeClose;

private:
    std::array<NString::TStr<char>, 6> m_spaceSlots;

    std::span<NString::TStr<char>> SpaceSlots() override { return m_spaceSlots; }
    std::span<const NString::TStr<char>> SpaceSlots() const override { return m_spaceSlots; }
};

} // namespace NXML
