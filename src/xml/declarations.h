#pragma once

#include "xml/node.h"

// The declarations of a document type's internal subset.
namespace NXML {

// One particle of an element content model: a name (`text`, "#PCDATA"
// included) or a group whose children are its particles.
class CContentParticle final : public CNode {
public:
    static constexpr std::uint32_t kChoice = 0x100;      // children separated by "|"
    static constexpr std::uint32_t kSequence = 0x200;    // children separated by ","
    static constexpr std::uint32_t kOptional = 0x400;    // "?"
    static constexpr std::uint32_t kOneOrMore = 0x800;   // "+"
    static constexpr std::uint32_t kZeroOrMore = 0x1000; // "*"

    int GetType() const override { return kTypeContentParticle; }
    const char* GetOpen() const override { return "("; }
    const char* GetClose() const override;
};

// <!ELEMENT name content-model>. `text` holds the element name.
class CElementDecl final : public CNode {
public:
    static constexpr std::uint32_t kEmpty = 0x100; // "EMPTY"
    static constexpr std::uint32_t kAny = 0x200;   // "ANY"
    static constexpr std::uint32_t kMixed = 0x400; // the model starts with "#PCDATA"

    int GetType() const override { return kTypeElementDecl; }
    const char* GetOpen() const override { return "<!ELEMENT"; }
    const char* GetClose() const override { return ">"; }
    const char* Body() const override { return source.Text(); }

    // The outermost group; not linked into the tree.
    CContentParticle model;
    // The declaration as written between "<!ELEMENT" and ">".
    NString::TStr<char> source;
};

// <!ATTLIST element definitions>. `text` holds the element name; the
// children are CAttributeDef nodes.
class CAttributeDecl final : public CNode {
public:
    int GetType() const override { return kTypeAttributeDecl; }
    const char* GetOpen() const override { return "<!ATTLIST"; }
    const char* GetClose() const override { return ">"; }
    const char* Body() const override { return source.Text(); }

    // The declaration as written between "<!ATTLIST" and ">".
    NString::TStr<char> source;
};

// One attribute definition of an attribute-list declaration. `text` holds
// the attribute name; the flags hold the type and the default kind. The
// allowed values of "NOTATION" and enumerations are plain-node children.
class CAttributeDef final : public CNode {
public:
    static constexpr std::uint32_t kCData = 0x100;
    static constexpr std::uint32_t kId = 0x200;
    static constexpr std::uint32_t kIdRef = 0x400;
    static constexpr std::uint32_t kEntity = 0x800;
    static constexpr std::uint32_t kNmToken = 0x1000;
    static constexpr std::uint32_t kNotation = 0x2000;
    static constexpr std::uint32_t kEnumeration = 0x4000;
    static constexpr std::uint32_t kList = 0x8000; // IDREFS, ENTITIES, NMTOKENS
    static constexpr std::uint32_t kTypeBits = 0xFF00;

    static constexpr std::uint32_t kRequired = 0x10000;
    static constexpr std::uint32_t kImplied = 0x20000;
    static constexpr std::uint32_t kFixed = 0x40000;

    int GetType() const override { return kTypeAttributeDef; }

    NString::TStr<char> defaultValue;
};

// <!ENTITY ...>, kept whole so that it is written back as it was. Nothing
// else reads entity declarations, so it counts as a plain node.
class CEntityDecl final : public CNode {
public:
    const char* GetOpen() const override { return "<!ENTITY"; }
    const char* GetClose() const override { return ">"; }
};

// <!NOTATION ...>, kept whole like an entity declaration.
class CNotationDecl final : public CNode {
public:
    const char* GetOpen() const override { return "<!NOTATION"; }
    const char* GetClose() const override { return ">"; }
};

} // namespace NXML
