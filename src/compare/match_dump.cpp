#include "compare/match_dump.h"

#include "compare/classification.h"
#include "compare/data_node.h"
#include "xml/attribute.h"
#include "xml/element.h"

#include <vector>

namespace {

constexpr std::size_t kLongestShownText = 40;

// Text with line breaks, tabs and quotes escaped, cut after a few words.
std::string Shown(const char* text) {
    std::string shown;
    for (const char* c = text; *c != 0; ++c) {
        if (shown.size() >= kLongestShownText) {
            shown += "...";
            break;
        }
        switch (*c) {
        case '\n':
            shown += "\\n";
            break;
        case '\r':
            shown += "\\r";
            break;
        case '\t':
            shown += "\\t";
            break;
        case '"':
            shown += "\\\"";
            break;
        case '\\':
            shown += "\\\\";
            break;
        default:
            shown += *c;
        }
    }
    return shown;
}

std::string Describe(const NXML::CNode& node) {
    const std::string text = Shown(node.text.Text());
    switch (node.GetType()) {
    case NXML::kTypeElement: {
        const auto& element = static_cast<const NXML::CElement&>(node);
        const std::string prefix =
            element.prefix.IsEmpty() ? "" : Shown(element.prefix.Text()) + ":";
        return "<" + prefix + text + ">";
    }
    case NXML::kTypeAttribute: {
        const std::string name = Shown(static_cast<const NXML::CAttribute&>(node).name.Text());
        return "@" + name + "=\"" + text + "\"";
    }
    case NXML::kTypeContent:
        return "\"" + text + "\"";
    case NXML::kTypeComment:
        return "<!--" + text + "-->";
    case NXML::kTypeCData:
        return "<![CDATA[" + text + "]]>";
    case NXML::kTypeProcessingInstruction:
        return "<?" + text + "?>";
    case NXML::kTypeDocTypeDecl:
        return "<!DOCTYPE " + text + ">";
    case NXML::kTypeElementDecl:
        return "<!ELEMENT " + text + ">";
    case NXML::kTypeAttributeDecl:
        return "<!ATTLIST " + text + ">";
    default: {
        const std::string type = std::to_string(node.GetType());
        return "#" + type + " " + text;
    }
    }
}

std::string SidesHeld(const CDataNode& match, const CSideOrder& order) {
    static constexpr char kLetters[] = {'B', 'L', 'R'};
    std::string sides = "[";
    for (const int side : order) {
        if (sides.size() > 1)
            sides += ' ';
        sides += match.NodeOf(side) != nullptr ? kLetters[side] : '-';
    }
    return sides + "]";
}

std::string ClassificationText(const SClassification& classification) {
    switch (classification.kind) {
    case SClassification::EKind::Same:
        return "same";
    case SClassification::EKind::Open:
        return "open";
    case SClassification::EKind::Pick:
        break;
    }
    static constexpr const char* kNames[] = {"pick base", "pick left", "pick right"};
    return kNames[classification.side];
}

void AppendLine(std::string& out, const CDataNode& match, std::size_t depth,
                const SMatchContext& context) {
    const NXML::CNode* shown = match.NodeAt(kSideAll, context.order);
    out.append(2 * depth, ' ');
    out += shown != nullptr ? Describe(*shown) : "(nothing)";
    out += ' ' + SidesHeld(match, context.order) + ' ';
    out += ClassificationText(Classify(context, match));
    out += '\n';
}

// Children of `match` to show after it: attributes first, then the children,
// in the order given (the caller's stack takes them from the back).
void PushChildren(std::vector<std::pair<const CDataNode*, std::size_t>>& pending,
                  const CDataNode& match, std::size_t depth) {
    std::vector<const CDataNode*> children;
    if (const CElementNode* element = match.AsElementNode())
        for (const CDataNode* attribute = element->attributes.FirstChildNode();
             attribute != nullptr; attribute = attribute->NextSiblingNode())
            children.push_back(attribute);
    for (const CDataNode* child = match.FirstChildNode(); child != nullptr;
         child = child->NextSiblingNode())
        children.push_back(child);
    for (auto child = children.rbegin(); child != children.rend(); ++child)
        pending.emplace_back(*child, depth);
}

} // namespace

std::string DumpMatchTree(const CDataNode& root, const SMatchContext& context) {
    std::string out;
    std::vector<std::pair<const CDataNode*, std::size_t>> pending;
    PushChildren(pending, root, 0);
    while (!pending.empty()) {
        const auto [match, depth] = pending.back();
        pending.pop_back();
        AppendLine(out, *match, depth, context);
        PushChildren(pending, *match, depth + 1);
    }
    return out;
}
