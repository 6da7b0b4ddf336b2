#include "xml/writer.h"

#include "framework/result.h"
#include "framework/string_functions.h"
#include "xml/attribute.h"
#include "xml/content.h"
#include "xml/doc.h"
#include "xml/doctype.h"
#include "xml/element.h"
#include "xml/namespaces.h"

namespace NXML {

namespace {

// Appends to a stream until the first failure, which it keeps.
class COutput {
public:
    explicit COutput(NIO::CBase& out) : m_out(out) {}

    COutput& operator<<(const char* text) {
        if (m_result == NResult::kOk)
            m_result = WriteString(m_out, text);
        return *this;
    }
    COutput& operator<<(const NString::TStr<char>& text) { return *this << text.Text(); }
    // A zero character writes nothing.
    COutput& operator<<(char character) {
        const char text[2] = {character, 0};
        return *this << text;
    }
    COutput& operator<<(int result) {
        if (m_result == NResult::kOk)
            m_result = result;
        return *this;
    }

    int Result() const { return m_result; }
    NIO::CBase& Stream() const { return m_out; }

private:
    NIO::CBase& m_out;
    int m_result = NResult::kOk;
};

void PutQualifiedName(COutput& output, const CElement& element, const char* prefix) {
    if (prefix != nullptr)
        output << prefix << ':';
    output << element.text;
}

bool HasInternalSubset(const CDocTypeDecl& declaration) {
    return declaration.HasFlags(CDocTypeDecl::kHasInternalSubset) ||
           declaration.FirstChild() != nullptr;
}

// Walks a document without recursion, writing each node on the way in and
// closing elements and document type declarations on the way out.
class CDocumentWriter {
public:
    explicit CDocumentWriter(NIO::CBase& out) : m_output(out) {}

    int Write(const CDoc& doc) {
        const CNode* node = doc.FirstChild();
        while (node != nullptr && m_output.Result() == NResult::kOk) {
            if (Enter(*node) && node->FirstChild() != nullptr) {
                node = node->FirstChild();
                continue;
            }
            node = LeaveUpTo(*node, doc);
        }
        m_output << doc.trailingText;
        return m_output.Result();
    }

private:
    // Writes what comes before the node's children; true when they are to be
    // walked (elements and document type declarations).
    bool Enter(const CNode& node) {
        if (IsWhitespaceContent(&node)) {
            if (!IsWrittenByNeighbour(node))
                m_output << node.text;
            return false;
        }
        if (WritesWhitespaceBefore(node))
            m_output << WhitespaceBefore(node);
        switch (node.GetType()) {
        case kTypeElement: {
            const auto& element = static_cast<const CElement&>(node);
            m_scope.Enter(element);
            m_output << WriteStartTag(m_output.Stream(), element, WrittenPrefix(element, m_scope),
                                      IsWrittenEmpty(element));
            return true;
        }
        case kTypeDocTypeDecl:
            m_output << WriteDocTypeStart(m_output.Stream(),
                                          static_cast<const CDocTypeDecl&>(node));
            return true;
        default:
            m_output << WritePlainForm(m_output.Stream(), node);
            return false;
        }
    }

    void Leave(const CNode& node) {
        if (node.GetType() == kTypeDocTypeDecl) {
            m_output << WriteDocTypeEnd(m_output.Stream(), static_cast<const CDocTypeDecl&>(node));
        } else if (node.GetType() == kTypeElement) {
            const auto& element = static_cast<const CElement&>(node);
            if (!IsWrittenEmpty(element)) {
                m_output << WhitespaceBeforeEndTag(element);
                m_output << WriteEndTag(m_output.Stream(), element,
                                        WrittenPrefix(element, m_scope));
            }
            m_scope.Leave(element);
        }
    }

    // Leaves `node` and each ancestor it is the last descendant of; the next
    // node to enter, or null at the end of the document.
    const CNode* LeaveUpTo(const CNode& node, const CDoc& doc) {
        for (const CNode* done = &node; done != &doc; done = done->Parent()) {
            Leave(*done);
            if (const CNode* next = done->NextSibling())
                return next;
        }
        return nullptr;
    }

    static bool IsWrittenByNeighbour(const CNode& whitespace) {
        if (const CNode* next = whitespace.NextSibling())
            return WritesWhitespaceBefore(*next);
        const CNode* parent = whitespace.Parent();
        return parent != nullptr && parent->GetType() == kTypeElement;
    }

    COutput m_output;
    CNamespaceScope m_scope;
};

} // namespace

int WriteAttribute(NIO::CBase& out, const CAttribute& attribute) {
    COutput output(out);
    output << attribute.SpaceText(CAttribute::kSpaceBeforeName) << attribute.name
           << attribute.SpaceText(CAttribute::kSpaceAroundEquals) << attribute.quote
           << attribute.text << attribute.quote;
    return output.Result();
}

int WriteStartTag(NIO::CBase& out, const CElement& element, const char* prefix,
                  bool emptyElementTag) {
    COutput output(out);
    output << '<';
    PutQualifiedName(output, element, prefix);
    for (const CAttribute* attribute = element.FirstAttribute(); attribute != nullptr;
         attribute = attribute->NextAttribute())
        output << WriteAttribute(out, *attribute);
    output << element.SpaceText(CElement::kSpaceBeforeTagEnd) << (emptyElementTag ? "/>" : ">");
    return output.Result();
}

int WriteEndTag(NIO::CBase& out, const CElement& element, const char* prefix) {
    COutput output(out);
    output << "</";
    PutQualifiedName(output, element, prefix);
    output << element.SpaceText(CElement::kSpaceInEndTag) << '>';
    return output.Result();
}

int WriteDocTypeStart(NIO::CBase& out, const CDocTypeDecl& declaration) {
    COutput output(out);
    output << declaration.GetOpen() << declaration.SpaceText(CDocTypeDecl::kSpaceBeforeName)
           << declaration.text << declaration.SpaceText(CDocTypeDecl::kSpaceAfterName);
    if (declaration.publicQuote != 0) {
        output << "PUBLIC" << declaration.SpaceText(CDocTypeDecl::kSpaceAfterPublic)
               << declaration.publicQuote << declaration.publicLiteral << declaration.publicQuote
               << declaration.SpaceText(CDocTypeDecl::kSpaceBeforeSystemLiteral)
               << declaration.systemQuote << declaration.systemLiteral << declaration.systemQuote;
    } else if (declaration.systemQuote != 0) {
        output << "SYSTEM" << declaration.SpaceText(CDocTypeDecl::kSpaceBeforeSystemLiteral)
               << declaration.systemQuote << declaration.systemLiteral << declaration.systemQuote;
    }
    output << declaration.SpaceText(CDocTypeDecl::kSpaceAfterSystemLiteral);
    if (HasInternalSubset(declaration))
        output << '[';
    else
        output << declaration.beforeClose << declaration.GetClose();
    return output.Result();
}

int WriteDocTypeEnd(NIO::CBase& out, const CDocTypeDecl& declaration) {
    COutput output(out);
    if (HasInternalSubset(declaration))
        output << ']' << declaration.beforeClose << declaration.GetClose();
    return output.Result();
}

int WritePlainForm(NIO::CBase& out, const CNode& node) {
    COutput output(out);
    output << node.GetOpen() << node.Body() << node.GetClose();
    return output.Result();
}

bool IsWrittenEmpty(const CElement& element) {
    return element.FirstChild() == nullptr && !element.HasFlags(CElement::kEmptyWithEndTag);
}

const char* WrittenPrefix(const CElement& element, const CNamespaceLookup& scope) {
    if (!element.HasFlags(CElement::kPrefixed))
        return nullptr;
    const char* own = element.prefix.Text();
    const char* uri = element.namespaceUri.Text();
    // The own prefix, when read again here, gives the same namespace: the
    // one it is bound to, or for an undeclared prefix the default namespace.
    const CElement::SNSPrefix* ownDeclaration = scope.FindPrefix(own);
    const NString::TStr<char>* defaultUri = scope.DefaultUri();
    const char* readAgain = ownDeclaration != nullptr ? ownDeclaration->uri.Text()
                            : defaultUri != nullptr   ? defaultUri->Text()
                                                      : "";
    if (NString::Compare(readAgain, uri) == 0)
        return own;
    if (*uri != 0) {
        if (const CElement::SNSPrefix* nearest = scope.FindUri(uri))
            return nearest->prefix.Text();
    }
    return own;
}

const char* WrittenPrefix(const CElement& element) {
    return WrittenPrefix(element, CInheritedNamespaces(element));
}

bool WritesWhitespaceBefore(const CNode& node) {
    switch (node.GetType()) {
    case kTypeElement:
    case kTypeProcessingInstruction:
    case kTypeCData:
    case kTypeDocTypeDecl:
    case kTypeElementDecl:
    case kTypeAttributeDecl:
    case kTypePlain:
        return true;
    default:
        return false;
    }
}

const char* WhitespaceBefore(const CNode& node) {
    const CNode* previous = node.PreviousSibling();
    return IsWhitespaceContent(previous) ? previous->text.Text() : "";
}

const char* WhitespaceBeforeEndTag(const CElement& element) {
    const CNode* last = element.LastChild();
    return IsWhitespaceContent(last) ? last->text.Text() : "";
}

int WriteDocument(NIO::CBase& out, const CDoc& doc) {
    return CDocumentWriter(out).Write(doc);
}

} // namespace NXML
