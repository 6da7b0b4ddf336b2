#pragma once

#include "framework/named_node.h"
#include "framework/str.h"

namespace NIO {
class CBase;
}

namespace NXML {
class CDoc;
class CElement;
} // namespace NXML

// The texts of one language as a tree of named groups and texts, read from a
// language file:
//
//   <Language>
//     <Group name='Misc'><Text name='AppName'>Velden&nbsp;Quillmere</Text></Group>
//   </Language>
//
// A text's key is the names of its groups and its own name joined by ".",
// here "Misc.AppName". Each text has a base text from the file it was loaded
// from and an override text laid over it from a further language file.
namespace NString::NTranslator {

// What `Kind` reports.
enum : int {
    kKindLanguage = 1,
    kKindGroup = 2,
    kKindText = 3,
};

// Which text of a CText a lookup returns.
enum : int {
    // The override text when it is not empty, else the base text.
    kShownText = 0,
    kBaseText = 1,
    kOverrideText = 2,
};

// Groups nest at most this deep; deeper groups in a file are not loaded, so
// that a hostile file cannot exhaust the stack of the recursive walks.
constexpr std::uint32_t kDeepestGroup = 64;

class CText;

// A group: its children are groups and texts.
class CNode : public NPtr::TNamedNode<TStr<char>> {
public:
    virtual int Kind() const { return kKindGroup; }

    // Empties the override text of every text below this node.
    virtual void ClearOverrides();

    // Takes the "name" attribute of `element` (empty when missing) and appends
    // a group for each "Group" child and a text for each "Text" child, in
    // order; other elements are ignored. `decode` replaces the references in
    // the texts (see DecodeReferences). A group returns 1 whatever its
    // children return.
    virtual int LoadFrom(const NXML::CElement& element, bool decode);

    // For each "Group" and "Text" child of `element`, resolves its "name" as
    // a key below this group and lays the child over the node found when that
    // node is of the same sort (a group for "Group", a text for "Text");
    // nothing is created. A group returns 1.
    virtual int OverlayFrom(const NXML::CElement& element, bool decode);

    // The node that the dotted `key` names below this one: its first part is
    // looked up among the children by byte comparison of the names, the rest
    // (if any) below that child. Null when nothing matches or `key` is null.
    CNode* Find(const char* key) const;
    // As Find, but only a text counts.
    CText* FindText(const char* key) const;

    CNode* FirstChild() const { return static_cast<CNode*>(NPtr::CNode::FirstChild()); }
    CNode* NextSibling() const { return static_cast<CNode*>(NPtr::CNode::NextSibling()); }

private:
    // Appends a node made by `T` and loads it from `element`.
    template <class T> void AppendLoaded(const NXML::CElement& element, bool decode);
};

// The root of a language's tree, loaded from the "Language" element.
class CLanguage final : public CNode {
public:
    int Kind() const override { return kKindLanguage; }

    // Empties the tree (name included).
    void Clear();

    // Empties the tree and loads it from the document that `stream` holds
    // from its position on: LoadFrom's result for its "Language" element, or
    // 0 (the tree stays empty) when the document cannot be parsed or has no
    // such element.
    int Load(NIO::CBase& stream, bool decode);
    // The same for the file at `path`.
    int LoadFile(const char16_t* path, bool decode);

    // Empties every override, then lays the "Language" element of the file at
    // `path` over the tree. NResult::kOk; the document's load result when it
    // cannot be read, or kNothingParsed when it has no "Language" element,
    // and then the texts stay as they were.
    int OverlayFile(const char16_t* path, bool decode);

    // The text that `key` names, chosen by `mode` (kShownText, kBaseText or
    // kOverrideText). When `key` does not lead to a text, kShownText gives
    // "NO TEXT" and the other modes an empty string. The reference stays
    // valid as long as the text is in the tree (the fixed strings: always).
    const TStr<char16_t>& Text(const char* key, int mode = kShownText) const;

private:
    // LoadFrom on the document's "Language" element after `parseResult`.
    int LoadParsed(const NXML::CDoc& doc, int parseResult, bool decode);
};

// A text, loaded from the character data of a "Text" element.
class CText final : public CNode {
public:
    int Kind() const override { return kKindText; }
    void ClearOverrides() override { overrideText.Clear(true); }
    // Takes the name and makes the element's first character data, converted
    // to UTF-16 (and decoded when asked), the base text. 1, or 0 with an empty
    // base text when the element has no character data.
    int LoadFrom(const NXML::CElement& element, bool decode) override;
    // The same for the override text; the name stays.
    int OverlayFrom(const NXML::CElement& element, bool decode) override;

    // The override text when it is not empty, else the base text.
    const TStr<char16_t>& Shown() const { return overrideText.IsEmpty() ? baseText : overrideText; }

    TStr<char16_t> baseText;
    TStr<char16_t> overrideText;
};

} // namespace NString::NTranslator
