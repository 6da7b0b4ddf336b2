#include "xml/declaration_reader.h"

#include "xml/declarations.h"
#include "xml/doctype.h"
#include "xml/scan.h"
#include "xml/text_cutter.h"

#include <string_view>
#include <vector>

namespace NXML {

namespace {

using namespace NScan;

// Where names inside a declaration end. The terminating zero bytes are
// written only once the whole declaration has been read, because a name's
// end is often the separator that is still to be read.
using CCuts = std::vector<char*>;

void ApplyCuts(const CCuts& cuts, CTextCutter& cutter) {
    for (char* cut : cuts)
        cutter.Cut(cut);
}

bool IsQuoteMark(char byte) {
    return byte == '"' || byte == '\'';
}

// The ">" that ends a declaration, skipping quoted literals; null when the
// text ends first.
char* FindDeclarationEnd(char* position, const char* end) {
    for (char* here = position; here < end; ++here) {
        if (*here == '>')
            return here;
        if (IsQuoteMark(*here)) {
            here = FindByte(here + 1, end, *here);
            if (here == nullptr)
                return nullptr;
        }
    }
    return nullptr;
}

// Whitespace from `position` on, copied into `slot`; the position after it.
char* ReadSpaceInto(NString::TStr<char>& slot, char* position, const char* end) {
    char* after = SkipSpaces(position, end);
    CopyRange(slot, position, after);
    return after;
}

// A quoted literal at `position`; null when the quote marks are missing.
char* ReadLiteral(char* position, const char* end, NString::TStr<char>& literal, char& quote) {
    if (position >= end || !IsQuoteMark(*position))
        return nullptr;
    char* close = FindByte(position + 1, end, *position);
    if (close == nullptr)
        return nullptr;
    quote = *position;
    *close = 0;
    literal.Borrow(position + 1);
    return close + 1;
}

// The external identifier after the document type's name, if any.
char* ReadExternalId(CDocTypeDecl& declaration, char* position, const char* end) {
    const auto slots = declaration.Spaces();
    if (StartsWithWord(position, end, "PUBLIC")) {
        position = ReadSpaceInto(slots[CDocTypeDecl::kSpaceAfterPublic], position + 6, end);
        position = ReadLiteral(position, end, declaration.publicLiteral, declaration.publicQuote);
        if (position == nullptr)
            return nullptr;
    } else if (StartsWithWord(position, end, "SYSTEM")) {
        position += 6;
    } else {
        return position;
    }
    position = ReadSpaceInto(slots[CDocTypeDecl::kSpaceBeforeSystemLiteral], position, end);
    position = ReadLiteral(position, end, declaration.systemLiteral, declaration.systemQuote);
    if (position == nullptr)
        return nullptr;
    return ReadSpaceInto(slots[CDocTypeDecl::kSpaceAfterSystemLiteral], position, end);
}

// An occurrence suffix right at `position`, recorded on `particle`.
char* ReadOccurrence(CContentParticle& particle, char* position, const char* end) {
    if (position >= end)
        return position;
    switch (*position) {
    case '?':
        particle.SetFlags(CContentParticle::kOptional);
        return position + 1;
    case '+':
        particle.SetFlags(CContentParticle::kOneOrMore);
        return position + 1;
    case '*':
        particle.SetFlags(CContentParticle::kZeroOrMore);
        return position + 1;
    default:
        return position;
    }
}

// A name particle ("#PCDATA" included); a byte that starts none is skipped.
char* ReadNameParticle(CContentParticle& group, char* position, const char* end, CCuts& cuts) {
    char* nameEnd = ScanName(*position == '#' ? position + 1 : position, end);
    if (nameEnd == position)
        return position + 1;
    auto* particle = new CContentParticle;
    particle->text.Borrow(position);
    group.AddChild(particle);
    cuts.push_back(nameEnd);
    return ReadOccurrence(*particle, nameEnd, end);
}

// The content model group opened at `open` into `model`. Nested groups are
// kept on a stack of their own, so any depth of nesting is safe.
void ReadContentModel(CContentParticle& model, char* open, const char* end, CCuts& cuts) {
    std::vector<CContentParticle*> groups{&model};
    char* here = open + 1;
    while (!groups.empty()) {
        here = SkipSpaces(here, end);
        if (here >= end)
            return;
        CContentParticle& group = *groups.back();
        switch (*here) {
        case '(': {
            auto* nested = new CContentParticle;
            group.AddChild(nested);
            groups.push_back(nested);
            ++here;
            break;
        }
        case ')':
            here = ReadOccurrence(group, here + 1, end);
            groups.pop_back();
            break;
        case '|':
            group.SetFlags(CContentParticle::kChoice);
            ++here;
            break;
        case ',':
            group.SetFlags(CContentParticle::kSequence);
            ++here;
            break;
        default:
            here = ReadNameParticle(group, here, end, cuts);
        }
    }
}

// "(a | b | c)" of an enumeration or notation type: plain-node children.
char* ReadValueList(CAttributeDef& definition, char* open, const char* end, CCuts& cuts) {
    char* here = open + 1;
    while (true) {
        here = SkipSpaces(here, end);
        if (here >= end)
            return here;
        if (*here == ')')
            return here + 1;
        char* valueEnd = ScanName(here, end);
        if (valueEnd == here) {
            ++here; // "|" or a stray byte
            continue;
        }
        auto* value = new CNode;
        value->text.Borrow(here);
        definition.AddChild(value);
        cuts.push_back(valueEnd);
        here = valueEnd;
    }
}

struct SAttributeType {
    std::string_view keyword;
    std::uint32_t bits;
};

constexpr SAttributeType kAttributeTypes[] = {
    {"CDATA", CAttributeDef::kCData},
    {"IDREFS", CAttributeDef::kIdRef | CAttributeDef::kList},
    {"IDREF", CAttributeDef::kIdRef},
    {"ID", CAttributeDef::kId},
    {"ENTITY", CAttributeDef::kEntity},
    {"ENTITIES", CAttributeDef::kEntity | CAttributeDef::kList},
    {"NMTOKENS", CAttributeDef::kNmToken | CAttributeDef::kList},
    {"NMTOKEN", CAttributeDef::kNmToken},
    {"NOTATION", CAttributeDef::kNotation},
};

// The type of a definition; an unknown keyword is left for the default.
char* ReadAttributeType(CAttributeDef& definition, char* here, const char* end, CCuts& cuts) {
    if (here < end && *here == '(') {
        definition.SetFlags(CAttributeDef::kEnumeration);
        return ReadValueList(definition, here, end, cuts);
    }
    for (const SAttributeType& type : kAttributeTypes) {
        if (!StartsWithWord(here, end, type.keyword))
            continue;
        definition.SetFlags(type.bits);
        here += type.keyword.size();
        if (type.bits == CAttributeDef::kNotation) {
            char* list = SkipSpaces(here, end);
            if (list < end && *list == '(')
                here = ReadValueList(definition, list, end, cuts);
        }
        return here;
    }
    return here;
}

// "#REQUIRED", "#IMPLIED", or an optional "#FIXED" and the default value: a
// quoted literal, or for tolerance a bare name token.
char* ReadAttributeDefault(CAttributeDef& definition, char* here, const char* end, CCuts& cuts) {
    if (StartsWithWord(here, end, "#REQUIRED")) {
        definition.SetFlags(CAttributeDef::kRequired);
        return here + 9;
    }
    if (StartsWithWord(here, end, "#IMPLIED")) {
        definition.SetFlags(CAttributeDef::kImplied);
        return here + 8;
    }
    if (StartsWithWord(here, end, "#FIXED")) {
        definition.SetFlags(CAttributeDef::kFixed);
        here = SkipSpaces(here + 6, end);
    }
    if (here < end && IsQuoteMark(*here)) {
        char* close = FindByte(here + 1, end, *here);
        if (close == nullptr)
            return const_cast<char*>(end);
        definition.defaultValue.Borrow(here + 1);
        cuts.push_back(close);
        return close + 1;
    }
    char* tokenEnd = ScanName(here, end);
    if (tokenEnd != here) {
        definition.defaultValue.Borrow(here);
        cuts.push_back(tokenEnd);
    }
    return tokenEnd;
}

// One definition: name, type, default. Always moves on by at least one byte.
char* ReadAttributeDef(CAttributeDecl& declaration, char* here, const char* end, CCuts& cuts) {
    char* nameEnd = ScanName(here, end);
    if (nameEnd == here)
        return here + 1;
    auto* definition = new CAttributeDef;
    definition->text.Borrow(here);
    declaration.AddChild(definition);
    cuts.push_back(nameEnd);
    here = ReadAttributeType(*definition, SkipSpaces(nameEnd, end), end, cuts);
    return ReadAttributeDefault(*definition, SkipSpaces(here, end), end, cuts);
}

} // namespace

char* ReadDocTypeDecl(CNode& parent, char* position, char* end, CTextCutter& cutter,
                      CDocTypeDecl*& declaration) {
    declaration = new CDocTypeDecl;
    parent.AddChild(declaration);
    const auto slots = declaration->Spaces();
    char* name = ReadSpaceInto(slots[CDocTypeDecl::kSpaceBeforeName], position, end);
    char* nameEnd = ScanName(name, end);
    char* here = ReadSpaceInto(slots[CDocTypeDecl::kSpaceAfterName], nameEnd, end);
    here = ReadExternalId(*declaration, here, end);
    char* next = nullptr;
    if (here != nullptr && here < end && *here == '[') {
        declaration->SetFlags(CDocTypeDecl::kHasInternalSubset);
        next = here + 1;
    } else if (here != nullptr) {
        next = ReadDocTypeClose(*declaration, here, end);
    }
    // Only now, as the name's end may be the "[" or ">" just read.
    cutter.Cut(nameEnd);
    declaration->text.Borrow(name);
    return next;
}

char* ReadDocTypeClose(CDocTypeDecl& declaration, char* position, char* end) {
    char* close = FindByte(position, end, '>');
    if (close == nullptr)
        return nullptr;
    CopyRange(declaration.beforeClose, position, close);
    return close + 1;
}

// Links a new declaration whose body runs from `position` to `close`, keeps
// the body as written and borrows its leading name; returns where the text
// after the name's spaces starts.
template <typename TDeclaration>
char* StartDeclaration(TDeclaration* declaration, CNode& parent, char* position, char* close,
                       CCuts& cuts) {
    parent.AddChild(declaration);
    CopyRange(declaration->source, position, close);
    char* name = SkipSpaces(position, close);
    char* nameEnd = ScanName(name, close);
    declaration->text.Borrow(name);
    cuts.push_back(nameEnd);
    return SkipSpaces(nameEnd, close);
}

char* ReadElementDecl(CNode& parent, char* position, char* end, CTextCutter& cutter) {
    char* close = FindByte(position, end, '>');
    if (close == nullptr)
        return nullptr;
    auto* declaration = new CElementDecl;
    CCuts cuts;
    char* here = StartDeclaration(declaration, parent, position, close, cuts);
    if (here < close && *here == '(')
        ReadContentModel(declaration->model, here, close, cuts);
    else if (StartsWithWord(here, close, "EMPTY"))
        declaration->SetFlags(CElementDecl::kEmpty);
    else if (StartsWithWord(here, close, "ANY"))
        declaration->SetFlags(CElementDecl::kAny);
    ApplyCuts(cuts, cutter);
    const CNode* first = declaration->model.FirstChild();
    if (first != nullptr && std::string_view(first->text.Text()) == "#PCDATA")
        declaration->SetFlags(CElementDecl::kMixed);
    return close + 1;
}

char* ReadAttributeListDecl(CNode& parent, char* position, char* end, CTextCutter& cutter) {
    char* close = FindDeclarationEnd(position, end);
    if (close == nullptr)
        return nullptr;
    auto* declaration = new CAttributeDecl;
    CCuts cuts;
    for (char* here = StartDeclaration(declaration, parent, position, close, cuts); here < close;
         here = SkipSpaces(here, close))
        here = ReadAttributeDef(*declaration, here, close, cuts);
    ApplyCuts(cuts, cutter);
    return close + 1;
}

namespace {

// A declaration kept whole, from after its keyword to its ">".
template <typename TDeclaration>
char* ReadWholeDeclaration(CNode& parent, char* position, char* end) {
    char* close = FindDeclarationEnd(position, end);
    if (close == nullptr)
        return nullptr;
    auto* declaration = new TDeclaration;
    *close = 0;
    declaration->text.Borrow(position);
    parent.AddChild(declaration);
    return close + 1;
}

} // namespace

char* ReadEntityDecl(CNode& parent, char* position, char* end, CTextCutter&) {
    return ReadWholeDeclaration<CEntityDecl>(parent, position, end);
}

char* ReadNotationDecl(CNode& parent, char* position, char* end, CTextCutter&) {
    return ReadWholeDeclaration<CNotationDecl>(parent, position, end);
}

} // namespace NXML
