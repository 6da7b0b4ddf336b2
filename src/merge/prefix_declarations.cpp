#include "merge/prefix_declarations.h"

#include "compare/data_node.h"
#include "merge/block_selector.h"
#include "merge/element_block.h"
#include "xml/attribute.h"
#include "xml/element.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

constexpr std::string_view kPrefixDeclaration = "xmlns:";
// As the parser reads them, every name that starts so and is not a prefix
// declaration declares the default namespace.
constexpr std::string_view kDefaultDeclaration = "xmlns";
// Bound without a declaration.
constexpr std::string_view kXmlPrefix = "xml";

// The block the merged document takes for `block`: a selector's chosen
// alternative (null while unresolved), else the block itself.
CBlockBase* Written(CBlockBase* block) {
    if (block->IsBlockSelector())
        return static_cast<CBlockSelector*>(block)->ChosenAlternative();
    return block;
}

// The prefix an attribute name declares: "p" for "xmlns:p", "" for the
// default namespace; false for any other name.
bool DeclaredPrefix(std::string_view name, std::string_view& prefix) {
    if (name.starts_with(kPrefixDeclaration)) {
        prefix = name.substr(kPrefixDeclaration.size());
        return true;
    }
    if (name.starts_with(kDefaultDeclaration)) {
        prefix = {};
        return true;
    }
    return false;
}

// The declarations of the merged document in scope at one element, with
// the differences that chose them or dropped them.
class CWrittenScope {
public:
    // Brings into scope the declarations an element's `attributes` write,
    // and those that its differences drop.
    void Enter(CAttributeList& attributes) {
        for (CBlockBase* child = attributes.FirstChildBlock(); child != nullptr;
             child = child->NextSiblingBlock()) {
            CBlockSelector* selector =
                child->IsBlockSelector() ? static_cast<CBlockSelector*>(child) : nullptr;
            const auto* written = static_cast<const CSimpleBlock*>(Written(child));
            if (written == nullptr)
                continue;
            const CSimpleBlock* named = written->node != nullptr ? written
                                        : selector != nullptr ? selector->FirstAlternativeWithNode()
                                                              : nullptr;
            std::string_view prefix;
            if (named == nullptr ||
                !DeclaredPrefix(static_cast<const NXML::CAttribute*>(named->node)->name.Text(),
                                prefix))
                continue;
            const bool dropped = written->node == nullptr;
            m_scope[prefix].push_back({dropped, dropped ? "" : written->text.Text(), selector});
            m_entered.push_back(prefix);
            m_chosen += selector != nullptr ? 1 : 0;
        }
    }

    // Takes out what was entered since `mark` (a Mark() taken before).
    void LeaveTo(std::size_t mark) {
        while (m_entered.size() > mark) {
            std::vector<SDeclaration>& declarations = m_scope[m_entered.back()];
            m_chosen -= declarations.back().selector != nullptr ? 1 : 0;
            declarations.pop_back();
            m_entered.pop_back();
        }
    }
    std::size_t Mark() const { return m_entered.size(); }

    // Whether a difference chose or dropped a declaration in scope.
    bool HasChosenDeclarations() const { return m_chosen != 0; }

    // The namespace `prefix` reads as here ("" for none), as the parser
    // resolves it: an unbound or empty prefix reads as the default
    // namespace. Unless it reads as `expected`, `culprits` receives the
    // differences that chose the binding or dropped a nearer declaration.
    bool ReadsAs(std::string_view prefix, std::string_view expected,
                 std::vector<CBlockSelector*>& culprits) const {
        std::vector<CBlockSelector*> involved;
        std::string_view uri = Binding(prefix, involved);
        if (uri.empty() && !prefix.empty())
            uri = Binding({}, involved);
        if (uri == expected)
            return true;
        culprits.insert(culprits.end(), involved.begin(), involved.end());
        return false;
    }

    // Whether `prefix` is declared here; otherwise `culprits` receives the
    // differences that dropped a declaration of it.
    bool Declares(std::string_view prefix, std::vector<CBlockSelector*>& culprits) const {
        std::vector<CBlockSelector*> involved;
        if (!Binding(prefix, involved).empty())
            return true;
        culprits.insert(culprits.end(), involved.begin(), involved.end());
        return false;
    }

private:
    struct SDeclaration {
        bool dropped;
        std::string_view uri;
        // The difference that chose or dropped the declaration; null for
        // one all sides agree on.
        CBlockSelector* selector;
    };

    // The URI the nearest kept declaration of `prefix` binds ("" for none),
    // noting the differences behind it and behind the dropped ones nearer.
    std::string_view Binding(std::string_view prefix,
                             std::vector<CBlockSelector*>& involved) const {
        const auto found = m_scope.find(prefix);
        if (found == m_scope.end())
            return {};
        for (auto declaration = found->second.rbegin(); declaration != found->second.rend();
             ++declaration) {
            if (declaration->selector != nullptr)
                involved.push_back(declaration->selector);
            if (!declaration->dropped)
                return declaration->uri;
        }
        return {};
    }

    std::unordered_map<std::string_view, std::vector<SDeclaration>> m_scope;
    std::vector<std::string_view> m_entered;
    // How many of the declarations in scope have a selector.
    std::size_t m_chosen = 0;
};

// Whether nothing in `block`'s subtree can be opened: no difference lies in
// it (the sides' subtrees are equal) and none chose or dropped a declaration
// in scope, so the merged document reads its prefixes as every input does.
bool NothingToOpen(const CBlockBase& block, const CWrittenScope& scope) {
    if (!block.IsElementBlock() || scope.HasChosenDeclarations())
        return false;
    const CDataNode* match = static_cast<const CElementBlock&>(block).match;
    return match != nullptr && match->subtreesEqual;
}

// The prefix of an attribute name, or false when it has none that needs a
// declaration.
bool NeedsDeclaration(std::string_view name, std::string_view& prefix) {
    const std::size_t colon = name.find(':');
    if (colon == std::string_view::npos)
        return false;
    prefix = name.substr(0, colon);
    return prefix != kXmlPrefix && prefix != kDefaultDeclaration;
}

// Opens the difference that chose `user` and the `culprits`.
void Open(const CBlockBase& user, const std::vector<CBlockSelector*>& culprits) {
    if (CBlockSelector* selector = user.EnclosingSelector())
        selector->SetResolution(-1);
    for (CBlockSelector* culprit : culprits)
        culprit->SetResolution(-1);
}

void CheckElement(CElementBlock& block, const CWrittenScope& scope) {
    const NXML::CElement& element = *block.Element();
    std::vector<CBlockSelector*> culprits;
    const std::string_view prefix =
        element.HasFlags(NXML::CElement::kPrefixed) ? element.prefix.Text() : "";
    if (prefix != kXmlPrefix && !scope.ReadsAs(prefix, element.namespaceUri.Text(), culprits))
        Open(block, culprits);
    for (CBlockBase* child = block.Attributes().FirstChildBlock(); child != nullptr;
         child = child->NextSiblingBlock()) {
        const auto* written = static_cast<const CSimpleBlock*>(Written(child));
        if (written == nullptr || written->node == nullptr)
            continue;
        std::string_view attributePrefix;
        culprits.clear();
        if (NeedsDeclaration(static_cast<const NXML::CAttribute*>(written->node)->name.Text(),
                             attributePrefix) &&
            !scope.Declares(attributePrefix, culprits))
            Open(*written, culprits);
    }
}

} // namespace

void OpenUndeclaredPrefixes(CBlockBase& root) {
    CWrittenScope scope;
    // An element appears twice: first to enter it, then (with its mark) to
    // leave it after its content.
    struct SStep {
        CBlockBase* block;
        bool leave;
        std::size_t mark;
    };
    std::vector<SStep> steps{{&root, false, 0}};
    while (!steps.empty()) {
        const SStep step = steps.back();
        steps.pop_back();
        if (step.leave) {
            scope.LeaveTo(step.mark);
            continue;
        }
        if (NothingToOpen(*step.block, scope))
            continue;
        if (step.block->IsElementBlock()) {
            auto& element = static_cast<CElementBlock&>(*step.block);
            if (element.Element() == nullptr)
                continue;
            steps.push_back({step.block, true, scope.Mark()});
            scope.Enter(element.Attributes());
            CheckElement(element, scope);
        }
        const std::size_t firstChild = steps.size();
        for (CBlockBase* child = step.block->FirstChildBlock(); child != nullptr;
             child = child->NextSiblingBlock())
            if (CBlockBase* written = Written(child))
                steps.push_back({written, false, 0});
        std::reverse(steps.begin() + static_cast<std::ptrdiff_t>(firstChild), steps.end());
    }
}
