#include "xml/parser.h"

#include "xml/content.h"
#include "xml/declaration_reader.h"
#include "xml/doc.h"
#include "xml/doctype.h"
#include "xml/element.h"
#include "xml/namespaces.h"
#include "xml/scan.h"

#include <string_view>
#include <vector>

namespace NXML {

namespace {

using namespace NScan;

// The constructs that run to a terminator of their own.
enum EDelimited { kInstruction, kComment, kCDataSection, kDelimitedKinds };

struct SDelimitedForm {
    std::string_view open;
    std::string_view close;
};

constexpr SDelimitedForm kDelimitedForms[kDelimitedKinds] = {
    {"<?", "?>"},
    {"<!--", "-->"},
    {"<![CDATA[", "]]>"},
};

class CContentReader {
public:
    CContentReader(CDoc& doc, char* begin, char* end)
        : m_doc(doc), m_position(begin), m_textStart(begin), m_end(end) {
        m_frames.push_back({&doc, EFrame::kDocument});
    }

    void Run() {
        while (true) {
            char* markup = NextMarkup();
            if (markup == m_end) {
                FinishAtEnd();
                return;
            }
            const bool goOn = *markup == ']' ? CloseInternalSubset(markup) : ReadMarkup(markup);
            if (!goOn)
                return;
        }
    }

private:
    // What the innermost open node is, and so what ends it.
    enum class EFrame { kDocument, kElement, kInternalSubset };

    struct SFrame {
        CNode* parent;
        EFrame kind;
    };

    const SFrame& Top() const { return m_frames.back(); }
    CNode& Parent() const { return *Top().parent; }

    // The next "<", or in an internal subset also the "]" that closes it;
    // m_end when there is none.
    char* NextMarkup() const {
        if (Top().kind != EFrame::kInternalSubset) {
            char* found = FindByte(m_position, m_end, '<');
            return found != nullptr ? found : m_end;
        }
        char* here = m_position;
        while (here < m_end && *here != '<' && *here != ']')
            ++here;
        return here;
    }

    // Continues after a construct that ended just before `next`.
    void ContinueAt(char* next) {
        m_position = next;
        m_textStart = next;
    }

    template <class TNode> TNode* Append(CNode& parent, char* text) {
        auto* node = new TNode;
        node->text.Borrow(text);
        parent.AddChild(node);
        return node;
    }

    // Makes the character data before `markup` a node, ending it there.
    void FlushText(char* markup) {
        if (m_textStart == markup)
            return;
        *markup = 0;
        Append<CContent>(Parent(), m_textStart);
    }

    // Text at the end of the input belongs to the innermost open node;
    // after the document's last node it is the document's trailing text.
    void FinishAtEnd() {
        if (m_textStart != m_end) {
            if (Top().kind == EFrame::kDocument && m_doc.FirstChild() != nullptr)
                m_doc.trailingText.Borrow(m_textStart);
            else
                Append<CContent>(Parent(), m_textStart);
        }
        for (const SFrame& frame : m_frames) {
            if (frame.kind == EFrame::kElement)
                MarkIfEmpty(static_cast<CElement&>(*frame.parent));
        }
    }

    static void MarkIfEmpty(CElement& element) {
        if (!element.HasContent())
            element.SetFlags(CElement::kEmptyWithEndTag);
    }

    // The markup at `lt` (a "<"). False when the parse stops.
    bool ReadMarkup(char* lt) {
        if (Top().kind == EFrame::kElement) {
            if (char* next = EndTagAt(lt, static_cast<const CElement&>(Parent()))) {
                FlushText(lt);
                CloseElement();
                ContinueAt(next);
                return true;
            }
        }
        if (IsNameStartAt(lt + 1, m_end))
            return ReadElement(lt);
        for (int kind = 0; kind < kDelimitedKinds; ++kind) {
            if (StartsWith(lt, m_end, kDelimitedForms[kind].open))
                return ReadDelimited(lt, static_cast<EDelimited>(kind));
        }
        if (StartsWith(lt, m_end, "<!DOCTYPE"))
            return ReadDocType(lt);
        if (StartsWith(lt, m_end, "<!ELEMENT"))
            return ReadDeclaration(lt, 9, ReadElementDecl);
        if (StartsWith(lt, m_end, "<!ATTLIST"))
            return ReadDeclaration(lt, 9, ReadAttributeListDecl);
        if (StartsWith(lt, m_end, "<!ENTITY"))
            return ReadDeclaration(lt, 8, ReadEntityDecl);
        // Starts nothing: the "<" stays in the character data.
        m_position = lt + 1;
        return true;
    }

    // The position after the end tag of `element` at `lt`, or null.
    char* EndTagAt(char* lt, const CElement& element) const {
        if (!StartsWith(lt, m_end, "</"))
            return nullptr;
        char* here = lt + 2;
        if (element.HasFlags(CElement::kPrefixed)) {
            const std::string_view prefix = element.prefix.Text();
            if (!StartsWith(here, m_end, prefix) || !StartsWith(here + prefix.size(), m_end, ":"))
                return nullptr;
            here += prefix.size() + 1;
        }
        const std::string_view name = element.text.Text();
        if (!StartsWith(here, m_end, name) || !StartsWith(here + name.size(), m_end, ">"))
            return nullptr;
        return here + name.size() + 1;
    }

    void CloseElement() {
        auto& element = static_cast<CElement&>(Parent());
        MarkIfEmpty(element);
        m_scope.Leave(element);
        m_frames.pop_back();
    }

    // A comment, CDATA section or processing instruction; without its
    // terminator it is character data.
    bool ReadDelimited(char* lt, EDelimited kind) {
        const SDelimitedForm& form = kDelimitedForms[kind];
        char* body = lt + form.open.size();
        // Positions only grow, so a terminator missing once is missing for good;
        // remembering that keeps many unterminated openers linear.
        char* close = m_terminatorMissing[kind] ? nullptr : Find(body, m_end, form.close);
        if (close == nullptr) {
            m_terminatorMissing[kind] = true;
            m_position = lt + 1;
            return true;
        }
        FlushText(lt);
        *close = 0;
        CNode& parent = Parent();
        switch (kind) {
        case kInstruction:
            Append<CPI>(parent, body);
            break;
        case kComment:
            Append<CComment>(parent, body);
            break;
        case kCDataSection:
            Append<CCData>(parent, body);
            break;
        case kDelimitedKinds:
            break;
        }
        ContinueAt(close + form.close.size());
        return true;
    }

    using FDeclarationReader = char* (*)(CNode& parent, char* position, char* end);

    bool ReadDeclaration(char* lt, std::size_t keywordLength, FDeclarationReader read) {
        FlushText(lt);
        char* next = read(Parent(), lt + keywordLength, m_end);
        if (next == nullptr)
            return false;
        ContinueAt(next);
        return true;
    }

    bool ReadDocType(char* lt) {
        FlushText(lt);
        CDocTypeDecl* declaration = nullptr;
        char* next = ReadDocTypeDecl(Parent(), lt + 9, m_end, declaration);
        if (next == nullptr)
            return false;
        if (declaration->HasFlags(CDocTypeDecl::kHasInternalSubset))
            m_frames.push_back({declaration, EFrame::kInternalSubset});
        ContinueAt(next);
        return true;
    }

    bool CloseInternalSubset(char* bracket) {
        FlushText(bracket);
        auto& declaration = static_cast<CDocTypeDecl&>(Parent());
        m_frames.pop_back();
        char* next = ReadDocTypeClose(declaration, bracket + 1, m_end);
        if (next == nullptr)
            return false;
        ContinueAt(next);
        return true;
    }

    // A start tag from its "<": the element and its attributes, then its
    // content as a new frame unless the tag ends with "/>".
    bool ReadElement(char* lt) {
        FlushText(lt);
        char* name = lt + 1;
        auto* element = Append<CElement>(Parent(), name);
        char* nameEnd = ScanName(name, m_end);
        char* tagEnd = ReadAttributes(*element, nameEnd);
        // Only now, as the name's end may be the ">" or "/" just read.
        const bool emptyElementTag = tagEnd != nullptr && *tagEnd == '/';
        *nameEnd = 0;
        element->ReadNamespaceDeclarations();
        element->SplitQualifiedName();
        m_scope.Enter(*element);
        element->AssignNamespace(m_scope);
        if (tagEnd == nullptr)
            return false;
        if (emptyElementTag) {
            m_scope.Leave(*element);
            ContinueAt(tagEnd + 2);
        } else {
            m_frames.push_back({element, EFrame::kElement});
            ContinueAt(tagEnd + 1);
        }
        return true;
    }

    // The attributes after the name; the position of the tag's ">" or "/>",
    // or null when the tag is malformed or cut off.
    char* ReadAttributes(CElement& element, char* nameEnd) {
        char* previousEnd = nameEnd;
        while (true) {
            char* here = SkipSpaces(previousEnd, m_end);
            if (here >= m_end)
                return nullptr;
            if (*here == '>' || StartsWith(here, m_end, "/>")) {
                CopyRange(element.Spaces()[CElement::kSpaceBeforeTagEnd], previousEnd, here);
                return here;
            }
            previousEnd = ReadAttribute(element, previousEnd, here);
            if (previousEnd == nullptr)
                return nullptr;
        }
    }

    // One attribute whose name starts at `name`; `spaceStart` is the end of
    // what came before. The position after the closing quote, or null.
    char* ReadAttribute(CElement& element, char* spaceStart, char* name) {
        char* nameEnd = ScanName(name, m_end);
        char* quote = SkipSpacesAndEquals(nameEnd, m_end);
        if (quote >= m_end || (*quote != '"' && *quote != '\''))
            return nullptr;
        char* close = FindByte(quote + 1, m_end, *quote);
        if (close == nullptr)
            return nullptr;
        auto* attribute = new CAttribute;
        element.AddAttribute(attribute);
        attribute->SetSpaces({spaceStart, std::size_t(name - spaceStart)},
                             {nameEnd, std::size_t(quote - nameEnd)});
        attribute->quote = *quote;
        *nameEnd = 0;
        attribute->name.Borrow(name);
        *close = 0;
        attribute->text.Borrow(quote + 1);
        return close + 1;
    }

    CDoc& m_doc;
    // Where reading goes on, and where the pending character data starts.
    char* m_position;
    char* m_textStart;
    char* const m_end;
    std::vector<SFrame> m_frames;
    CNamespaceScope m_scope;
    bool m_terminatorMissing[kDelimitedKinds] = {};
};

} // namespace

void ReadContent(CDoc& doc, char* begin, char* end) {
    CContentReader(doc, begin, end).Run();
}

} // namespace NXML
