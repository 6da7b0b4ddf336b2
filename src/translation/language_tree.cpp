#include "translation/language_tree.h"

#include "framework/result.h"
#include "framework/stream.h"
#include "translation/text_references.h"
#include "xml/content.h"
#include "xml/doc.h"
#include "xml/element.h"

#include <string>
#include <string_view>

namespace NString::NTranslator {

namespace {

constexpr char kGroupElement[] = "Group";
constexpr char kTextElement[] = "Text";
constexpr char kLanguageElement[] = "Language";
constexpr char kNameAttribute[] = "name";

bool IsElement(const NXML::CElement& element, const char* name) {
    return Compare(element.text.Text(), name) == 0;
}

// Sets `text` to the element's first character data in UTF-16, decoded when
// asked. 1, or 0 with `text` empty when there is no character data.
int ReadCharacterData(const NXML::CElement& element, bool decode, TStr<char16_t>& text) {
    const NXML::CContent* content = element.FirstContent();
    if (content == nullptr) {
        text.Clear(true);
        return 0;
    }
    text.Assign(content->text.Text());
    if (decode)
        DecodeReferences(text);
    return 1;
}

const NXML::CElement* LanguageElement(const NXML::CDoc& doc) {
    return doc.FindChildElement(kLanguageElement);
}

// Made on first use and never freed: it points at a literal.
const TStr<char16_t>& NoText() {
    static const TStr<char16_t> text = [] {
        TStr<char16_t> fixed;
        fixed.Borrow(u"NO TEXT");
        return fixed;
    }();
    return text;
}

const TStr<char16_t>& EmptyText() {
    static const TStr<char16_t> text;
    return text;
}

} // namespace

// ---- CNode ----

void CNode::ClearOverrides() {
    for (CNode* child = FirstChild(); child != nullptr; child = child->NextSibling())
        child->ClearOverrides();
}

template <class T> void CNode::AppendLoaded(const NXML::CElement& element, bool decode) {
    auto* node = new T;
    AddChild(node);
    node->LoadFrom(element, decode);
}

int CNode::LoadFrom(const NXML::CElement& element, bool decode) {
    name.Assign(element.AttributeValue(kNameAttribute));
    const bool mayNest = Depth() < kDeepestGroup;
    for (const NXML::CElement* child = element.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        if (IsElement(*child, kGroupElement) && mayNest)
            AppendLoaded<CNode>(*child, decode);
        else if (IsElement(*child, kTextElement))
            AppendLoaded<CText>(*child, decode);
    }
    return 1;
}

int CNode::OverlayFrom(const NXML::CElement& element, bool decode) {
    for (const NXML::CElement* child = element.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        const bool isText = IsElement(*child, kTextElement);
        if (!isText && !IsElement(*child, kGroupElement))
            continue;
        CNode* node = Find(child->AttributeValue(kNameAttribute));
        // A "Group" laid over a text would make its line breaks the text.
        if (node != nullptr && (node->Kind() == kKindText) == isText)
            node->OverlayFrom(*child, decode);
    }
    return 1;
}

CNode* CNode::Find(const char* key) const {
    if (key == nullptr)
        return nullptr;
    const CNode* node = this;
    std::string_view rest(key);
    for (;;) {
        const std::size_t dot = rest.find('.');
        const std::string_view part = rest.substr(0, dot);
        const CNode* child = node->FirstChild();
        while (child != nullptr && std::string_view(child->name.Text()) != part)
            child = child->NextSibling();
        if (child == nullptr || dot == std::string_view::npos)
            return const_cast<CNode*>(child);
        node = child;
        rest.remove_prefix(dot + 1);
    }
}

CText* CNode::FindText(const char* key) const {
    CNode* node = Find(key);
    return node != nullptr && node->Kind() == kKindText ? static_cast<CText*>(node) : nullptr;
}

// ---- CLanguage ----

void CLanguage::Clear() {
    DeleteChildren();
    name.Clear(true);
}

int CLanguage::LoadParsed(const NXML::CDoc& doc, int parseResult, bool decode) {
    const NXML::CElement* root = parseResult == NResult::kOk ? LanguageElement(doc) : nullptr;
    return root != nullptr ? LoadFrom(*root, decode) : 0;
}

int CLanguage::Load(NIO::CBase& stream, bool decode) {
    Clear();
    NXML::CDoc doc;
    const int parsed = doc.Parse(stream);
    return LoadParsed(doc, parsed, decode);
}

int CLanguage::LoadFile(const char16_t* path, bool decode) {
    Clear();
    NXML::CDoc doc;
    const int parsed = doc.Load(path);
    return LoadParsed(doc, parsed, decode);
}

int CLanguage::OverlayFile(const char16_t* path, bool decode) {
    NXML::CDoc doc;
    if (const int parsed = doc.Load(path); parsed != NResult::kOk)
        return parsed;
    const NXML::CElement* root = LanguageElement(doc);
    if (root == nullptr)
        return NResult::kNothingParsed;
    ClearOverrides();
    OverlayFrom(*root, decode);
    return NResult::kOk;
}

const TStr<char16_t>& CLanguage::Text(const char* key, int mode) const {
    const CText* text = FindText(key);
    switch (mode) {
    case kBaseText:
        return text != nullptr ? text->baseText : EmptyText();
    case kOverrideText:
        return text != nullptr ? text->overrideText : EmptyText();
    default:
        return text != nullptr ? text->Shown() : NoText();
    }
}

// ---- CText ----

int CText::LoadFrom(const NXML::CElement& element, bool decode) {
    name.Assign(element.AttributeValue(kNameAttribute));
    return ReadCharacterData(element, decode, baseText);
}

int CText::OverlayFrom(const NXML::CElement& element, bool decode) {
    return ReadCharacterData(element, decode, overrideText);
}

} // namespace NString::NTranslator
