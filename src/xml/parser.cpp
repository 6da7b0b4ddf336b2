#include "xml/parser.h"

#include "xml/content.h"
#include "xml/declaration_reader.h"
#include "xml/declarations.h"
#include "xml/doc.h"
#include "xml/doctype.h"
#include "xml/element.h"
#include "xml/namespaces.h"
#include "xml/scan.h"
#include "xml/text_cutter.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace NXML {

namespace {

using namespace NScan;

// The constructs that run to a terminator of their own.
enum EDelimited { kInstruction, kComment, kCDataSection, kDelimitedKinds };

struct SDelimitedForm {
    std::string_view open;
    std::string_view close;
    EParseProblem unterminated;
};

constexpr SDelimitedForm kDelimitedForms[kDelimitedKinds] = {
    {"<?", "?>", EParseProblem::kInstructionNotClosed},
    {"<!--", "-->", EParseProblem::kCommentNotClosed},
    {"<![CDATA[", "]]>", EParseProblem::kCDataNotClosed},
};

using FDeclarationReader = char* (*)(CNode& parent, char* position, char* end, CTextCutter& cutter);

// The declarations of an internal subset, by their opening text.
struct SMarkupDeclaration {
    std::string_view open;
    FDeclarationReader read;
};

constexpr SMarkupDeclaration kMarkupDeclarations[] = {
    {"<!ELEMENT", ReadElementDecl},
    {"<!ATTLIST", ReadAttributeListDecl},
    {"<!ENTITY", ReadEntityDecl},
    {"<!NOTATION", ReadNotationDecl},
};

// Thrown where the reading stops; the document is refused.
struct SReadFailure {
    EParseProblem problem;
    const char* at;
};

[[noreturn]] void Fail(EParseProblem problem, const char* at) {
    throw SReadFailure{problem, at};
}

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
            if (*markup == ']')
                CloseInternalSubset(markup);
            else
                ReadMarkup(markup);
        }
    }

    const CTextCutter& Cutter() const { return m_cutter; }

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

    // Outside the root element only whitespace may stand between markup.
    void RequireSpacesOutsideRoot(const char* begin, const char* end) const {
        if (Top().kind != EFrame::kDocument)
            return;
        const char* text = SkipSpaces(const_cast<char*>(begin), end);
        if (text != end)
            Fail(EParseProblem::kTextOutsideRoot, text);
    }

    // Makes the character data before `markup` a node, ending it there.
    void FlushText(char* markup) {
        if (m_textStart == markup)
            return;
        RequireSpacesOutsideRoot(m_textStart, markup);
        *markup = 0;
        Append<CContent>(Parent(), m_textStart);
    }

    // The end of the text must close every element and internal subset
    // (the innermost is named); what follows the document's last node is its
    // trailing text.
    void FinishAtEnd() {
        if (Top().kind != EFrame::kDocument)
            Fail(Top().kind == EFrame::kElement ? EParseProblem::kElementNotClosed
                                                : EParseProblem::kInternalSubsetNotClosed,
                 StartOf(Parent()));
        if (m_root == nullptr)
            Fail(EParseProblem::kNoRootElement, m_end);
        RequireSpacesOutsideRoot(m_textStart, m_end);
        if (m_textStart != m_end)
            m_doc.trailingText.Borrow(m_textStart);
    }

    // The "<" of a node's markup.
    const char* StartOf(const CNode& node) const {
        if (node.GetType() == kTypeDocTypeDecl)
            return m_docTypeStart;
        const auto& element = static_cast<const CElement&>(node);
        return (element.HasFlags(CElement::kPrefixed) ? element.prefix.Text()
                                                      : element.text.Text()) -
               1;
    }

    static void MarkIfEmpty(CElement& element) {
        if (!element.HasContent())
            element.SetFlags(CElement::kEmptyWithEndTag);
    }

    // The markup at `lt` (a "<").
    void ReadMarkup(char* lt) {
        if (StartsWith(lt, m_end, "</"))
            return ReadEndTag(lt);
        if (IsNameStartAt(lt + 1, m_end))
            return ReadElement(lt);
        for (int kind = 0; kind < kDelimitedKinds; ++kind) {
            if (StartsWith(lt, m_end, kDelimitedForms[kind].open))
                return ReadDelimited(lt, static_cast<EDelimited>(kind));
        }
        if (StartsWith(lt, m_end, "<!DOCTYPE"))
            return ReadDocType(lt);
        for (const SMarkupDeclaration& declaration : kMarkupDeclarations) {
            if (StartsWith(lt, m_end, declaration.open))
                return ReadDeclaration(lt, declaration);
        }
        // Starts nothing: the "<" stays in the character data.
        m_position = lt + 1;
    }

    // An end tag must close the innermost open element, repeating its name
    // as the start tag wrote it; whitespace may stand before its ">".
    void ReadEndTag(char* lt) {
        if (Top().kind != EFrame::kElement)
            Fail(EParseProblem::kEndTagWithoutStartTag, lt);
        auto& element = static_cast<CElement&>(Parent());
        char* name = lt + 2;
        char* nameEnd = ScanName(name, m_end);
        if (nameEnd == name)
            Fail(EParseProblem::kMalformedEndTag, lt);
        if (!IsNameOf(std::string_view(name, std::size_t(nameEnd - name)), element))
            Fail(EParseProblem::kEndTagMismatch, lt);
        char* close = SkipSpaces(nameEnd, m_end);
        if (close == m_end)
            Fail(EParseProblem::kTagNotClosed, lt);
        if (*close != '>')
            Fail(EParseProblem::kMalformedEndTag, close);
        if (close != nameEnd)
            CopyRange(element.Spaces()[CElement::kSpaceInEndTag], nameEnd, close);
        FlushText(lt);
        MarkIfEmpty(element);
        m_scope.Leave(element);
        m_frames.pop_back();
        ContinueAt(close + 1);
    }

    // Whether `name` is the element's name as its start tag wrote it.
    static bool IsNameOf(std::string_view name, const CElement& element) {
        if (element.HasFlags(CElement::kPrefixed)) {
            const std::string_view prefix = element.prefix.Text();
            if (!name.starts_with(prefix) || name.substr(prefix.size(), 1) != ":")
                return false;
            name.remove_prefix(prefix.size() + 1);
        }
        return name == element.text.Text();
    }

    // A comment, CDATA section or processing instruction, which must have
    // its terminator.
    void ReadDelimited(char* lt, EDelimited kind) {
        const SDelimitedForm& form = kDelimitedForms[kind];
        if (kind == kCDataSection && Top().kind != EFrame::kElement)
            Fail(EParseProblem::kTextOutsideRoot, lt);
        char* body = lt + form.open.size();
        char* close = Find(body, m_end, form.close);
        if (close == nullptr)
            Fail(form.unterminated, lt);
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
    }

    // Element, attribute-list, entity and notation declarations belong in
    // an internal subset.
    void ReadDeclaration(char* lt, const SMarkupDeclaration& declaration) {
        if (Top().kind != EFrame::kInternalSubset)
            Fail(EParseProblem::kMisplacedDeclaration, lt);
        FlushText(lt);
        char* next = declaration.read(Parent(), lt + declaration.open.size(), m_end, m_cutter);
        if (next == nullptr)
            Fail(EParseProblem::kDeclarationNotClosed, lt);
        ContinueAt(next);
    }

    // One document type declaration, before the root element.
    void ReadDocType(char* lt) {
        if (Top().kind != EFrame::kDocument || m_root != nullptr || m_docTypeStart != nullptr)
            Fail(EParseProblem::kMisplacedDocType, lt);
        FlushText(lt);
        m_docTypeStart = lt;
        CDocTypeDecl* declaration = nullptr;
        char* next = ReadDocTypeDecl(Parent(), lt + 9, m_end, m_cutter, declaration);
        if (next == nullptr)
            Fail(EParseProblem::kMalformedDocType, lt);
        if (declaration->HasFlags(CDocTypeDecl::kHasInternalSubset))
            m_frames.push_back({declaration, EFrame::kInternalSubset});
        ContinueAt(next);
    }

    void CloseInternalSubset(char* bracket) {
        FlushText(bracket);
        auto& declaration = static_cast<CDocTypeDecl&>(Parent());
        m_frames.pop_back();
        char* next = ReadDocTypeClose(declaration, bracket + 1, m_end);
        if (next == nullptr)
            Fail(EParseProblem::kMalformedDocType, m_docTypeStart);
        ContinueAt(next);
    }

    // A start tag from its "<": the element and its attributes, then its
    // content as a new frame unless the tag ends with "/>".
    void ReadElement(char* lt) {
        switch (Top().kind) {
        case EFrame::kInternalSubset:
            Fail(EParseProblem::kMisplacedDeclaration, lt);
        case EFrame::kDocument:
            if (m_root != nullptr)
                Fail(EParseProblem::kSecondRootElement, lt);
            break;
        case EFrame::kElement:
            break;
        }
        FlushText(lt);
        char* name = lt + 1;
        auto* element = Append<CElement>(Parent(), name);
        if (Top().kind == EFrame::kDocument)
            m_root = element;
        char* nameEnd = ScanName(name, m_end);
        char* tagEnd = ReadAttributes(*element, lt, nameEnd);
        // Only now, as the name's end may be the ">" or "/" just read.
        const bool emptyElementTag = *tagEnd == '/';
        m_cutter.Cut(nameEnd);
        element->ReadNamespaceDeclarations();
        element->SplitQualifiedName();
        m_scope.Enter(*element);
        element->AssignNamespace(m_scope);
        if (emptyElementTag) {
            m_scope.Leave(*element);
            ContinueAt(tagEnd + 2);
        } else {
            m_frames.push_back({element, EFrame::kElement});
            ContinueAt(tagEnd + 1);
        }
    }

    // The attributes after the name; the position of the tag's ">" or "/>".
    char* ReadAttributes(CElement& element, const char* lt, char* nameEnd) {
        m_attributeNames.clear();
        // Clearing an empty set would still sweep all its buckets.
        if (!m_manyAttributeNames.empty())
            m_manyAttributeNames.clear();
        char* previousEnd = nameEnd;
        while (true) {
            char* here = SkipSpaces(previousEnd, m_end);
            if (here >= m_end)
                Fail(EParseProblem::kTagNotClosed, lt);
            if (*here == '>' || StartsWith(here, m_end, "/>")) {
                if (here != previousEnd)
                    CopyRange(element.Spaces()[CElement::kSpaceBeforeTagEnd], previousEnd, here);
                return here;
            }
            previousEnd = ReadAttribute(element, previousEnd, here);
        }
    }

    // A name given twice would leave a merge two values to match by one name.
    void RequireNewAttributeName(std::string_view name) {
        // Few names are compared one by one; many go through a set.
        constexpr std::size_t kFewNames = 16;
        if (m_attributeNames.size() < kFewNames) {
            if (std::find(m_attributeNames.begin(), m_attributeNames.end(), name) !=
                m_attributeNames.end())
                Fail(EParseProblem::kDuplicateAttribute, name.data());
        } else {
            if (m_manyAttributeNames.empty())
                m_manyAttributeNames.insert(m_attributeNames.begin(), m_attributeNames.end());
            if (!m_manyAttributeNames.insert(name).second)
                Fail(EParseProblem::kDuplicateAttribute, name.data());
        }
        m_attributeNames.push_back(name);
    }

    // One attribute whose name starts at `name`; `spaceStart` is the end of
    // what came before. The position after the closing quote.
    char* ReadAttribute(CElement& element, char* spaceStart, char* name) {
        char* nameEnd = ScanName(name, m_end);
        if (nameEnd == name || !IsNameStartAt(name, m_end))
            Fail(EParseProblem::kBadCharacterInTag, name);
        char* equals = SkipSpaces(nameEnd, m_end);
        if (equals >= m_end || *equals != '=')
            Fail(EParseProblem::kAttributeWithoutValue, name);
        char* quote = SkipSpaces(equals + 1, m_end);
        if (quote >= m_end || (*quote != '"' && *quote != '\''))
            Fail(EParseProblem::kAttributeValueNotQuoted, quote);
        char* close = FindByte(quote + 1, m_end, *quote);
        if (close == nullptr)
            Fail(EParseProblem::kAttributeValueNotClosed, quote);
        // XML allows no "<" in a value; one there mostly means that a
        // closing quote is missing and the value ran on into the markup.
        if (const char* lessThan = FindByte(quote + 1, close, '<'))
            Fail(EParseProblem::kLessThanInAttributeValue, lessThan);
        RequireNewAttributeName({name, std::size_t(nameEnd - name)});
        auto* attribute = new CAttribute;
        element.AddAttribute(attribute);
        attribute->SetSpaces({spaceStart, std::size_t(name - spaceStart)},
                             {nameEnd, std::size_t(quote - nameEnd)});
        attribute->quote = *quote;
        m_cutter.Cut(nameEnd);
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
    CTextCutter m_cutter;
    const CElement* m_root = nullptr;
    const char* m_docTypeStart = nullptr;
    // The attribute names of the start tag being read; kept between tags, so
    // that their memory is reused.
    std::vector<std::string_view> m_attributeNames;
    std::unordered_set<std::string_view> m_manyAttributeNames;
};

} // namespace

SParseError ReadContent(CDoc& doc, char* begin, char* end) {
    CContentReader reader(doc, begin, end);
    SParseError error;
    try {
        reader.Run();
    } catch (const SReadFailure& failure) {
        error.problem = failure.problem;
        reader.Cutter().Locate(begin, failure.at, error);
    }
    return error;
}

} // namespace NXML
